// One statistics hit as the collector wants it: parameter keys and values,
// written out as a form-urlencoded body. The two protocols (Google Analytics'
// Measurement Protocol version 1 and Matomo's tracking API) name the same
// facts differently; each field setter knows its protocol's key and the
// longest value the protocol accepts.
#pragma once

#include "settings/key_value.h"
#include "telemetry/client_identity.h"

#include <string>

class cAnalyticsPayload : public keslKeyValueStr {
public:
    // Forgets every field and starts over with the protocol's header.
    virtual void resetToHeader() = 0;
    virtual std::string readTrackingId() const = 0;
    virtual void setTrackingId(const std::string& id) = 0;
    virtual void setUserLanguage(const std::string& language) = 0;
    virtual void setDocumentReferrer(const std::string& referrer) = 0;
    virtual void setScreenResolution(const std::string& resolution) = 0;
    virtual void setAppInstallerId(const std::string& id) { setField("aiid", id, 150); }
    virtual void setAppName(const std::string& name) { setField("an", name, 100); }
    virtual void setAppVersion(const std::string& version) { setField("av", version, 100); }
    virtual void setAppId(const std::string& id) { setField("aid", id, 150); }
    virtual void setAnonymiseIp(bool on) { setField("aip", on ? "1" : "0", 0); }
    virtual void setDataSource(const std::string& source) { setField("ds", source, 0); }
    virtual void setCampaignMedium(const std::string& medium) { setField("cm", medium, 50); }
    virtual void setCampaignName(const std::string& name) = 0;
    virtual void setCampaignSource(const std::string& source) { setField("cs", source, 100); }
    virtual void setCampaignKeyword(const std::string& keyword) = 0;
    virtual void setCampaignId(const std::string& id) { setField("ci", id, 100); }
    virtual void setCampaignContent(const std::string& content) { setField("cc", content, 500); }
    virtual void setSn(const std::string& value) { setField("sn", value, 50); }
    virtual void setClientId(const std::string& id) = 0;
    virtual eClientIdForm clientIdForm() const { return eClientIdForm::decimal; }
    // Whether the collector drops a hit without a client id.
    virtual bool requiresClientId() const = 0;
    virtual void setUserAgent(const std::string& agent) { setField("ua", agent, 0); }
    virtual void setCustomDimension(int index, const std::string& value) = 0;
    virtual void setCustomMetric(int index, long long value) = 0;
    virtual void setCustomMetric(int index, double value) = 0;
    virtual void setExceptionHit(const std::string& description, bool fatal) = 0;
    virtual void setEventHit(const std::string& category, const std::string& action, const std::string& label,
                             int value) = 0;
    virtual void setPageviewHit(const std::string& path, const std::string& title) = 0;
    virtual void setScreenviewHit(const std::string& screenName) = 0;
    // The application's name, version and a third descriptive label.
    virtual void setApplicationFields(const std::string& name, const std::string& version,
                                      const std::string& label) = 0;

    // key=value pairs in key order, joined by "&", both percent-encoded.
    std::string body() const;

protected:
    // Stores value under key, cut to maxLength bytes (0: no limit).
    void setField(const std::string& key, const std::string& value, size_t maxLength);
    void clearFields() { replaceEntries({}); }
};

class cAnalyticsPayloadGA final : public cAnalyticsPayload {
public:
    void resetToHeader() override;
    std::string readTrackingId() const override { return getString("tid", ""); }
    void setTrackingId(const std::string& id) override { setField("tid", id, 20); }
    void setUserLanguage(const std::string& language) override { setField("ul", language, 20); }
    void setDocumentReferrer(const std::string& referrer) override { setField("dr", referrer, 2048); }
    void setScreenResolution(const std::string& resolution) override { setField("sr", resolution, 20); }
    void setCampaignName(const std::string& name) override { setField("cn", name, 100); }
    void setCampaignKeyword(const std::string& keyword) override { setField("ck", keyword, 500); }
    void setClientId(const std::string& id) override { setField("cid", id, 0); }
    // The Measurement Protocol: "cid ... Required for all hit types".
    bool requiresClientId() const override { return true; }
    void setCustomDimension(int index, const std::string& value) override;
    void setCustomMetric(int index, long long value) override;
    void setCustomMetric(int index, double value) override;
    void setExceptionHit(const std::string& description, bool fatal) override;
    void setEventHit(const std::string& category, const std::string& action, const std::string& label,
                     int value) override;
    void setPageviewHit(const std::string& path, const std::string& title) override;
    void setScreenviewHit(const std::string& screenName) override;
    void setApplicationFields(const std::string& name, const std::string& version, const std::string& label) override;
};

class cAnalyticsPayloadMatomo final : public cAnalyticsPayload {
public:
    void resetToHeader() override;
    std::string readTrackingId() const override { return getString("idsite", ""); }
    void setTrackingId(const std::string& id) override { setField("idsite", id, 20); }
    void setUserLanguage(const std::string& language) override { setField("lang", language, 20); }
    void setDocumentReferrer(const std::string& referrer) override { setField("urlref", referrer, 2048); }
    void setScreenResolution(const std::string& resolution) override { setField("res", resolution, 20); }
    void setCampaignName(const std::string& name) override { setField("_rcn", name, 100); }
    void setCampaignKeyword(const std::string& keyword) override { setField("_rck", keyword, 500); }
    void setClientId(const std::string& id) override { setField("_id", id, 0); }
    eClientIdForm clientIdForm() const override { return eClientIdForm::hex16; }
    // Without "_id" Matomo recognises the visitor itself.
    bool requiresClientId() const override { return false; }
    void setCustomDimension(int index, const std::string& value) override;
    // Matomo's tracking API has no custom metrics: they are not sent.
    void setCustomMetric(int, long long) override {}
    void setCustomMetric(int, double) override {}
    void setExceptionHit(const std::string& description, bool fatal) override;
    void setEventHit(const std::string& category, const std::string& action, const std::string& label,
                     int value) override;
    void setPageviewHit(const std::string& path, const std::string& title) override;
    void setScreenviewHit(const std::string& screenName) override;
    void setApplicationFields(const std::string& name, const std::string& version, const std::string& label) override;
};

// Every byte outside RFC 3986's unreserved set as "%" and two upper-case hex digits.
std::string percentEncode(const std::string& text);
