// The Linux program is configured through its host (XScreenSaver's own
// dialog and the settings file); there is no sheet to show.
#include "settings/config_sheet.h"

#include "util/log.h"

int showConfigurationSheet(void*, const keslSheetIdentity&, keslSheetServices&) {
    logInfo("The configuration sheet belongs to the Windows module; edit the settings file instead");
    return 0;
}
