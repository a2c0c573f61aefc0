// Replacing a file's whole contents so that a crash, a kill, a full disk or a
// power cut at any moment leaves either the old file or the new one, never a
// cut-off mix: the text goes to a temporary file in the same folder, is
// flushed to the disk, and only then takes the old file's name in one step.
#pragma once

#include <string>

// On failure the target is untouched, the temporary file is removed, and
// errorText holds the system's description of what went wrong.
bool replaceFileContents(const std::string& path, const std::string& contents, std::string& errorText);

// The temporary file replaceFileContents writes beside path in this process.
std::string temporaryPathFor(const std::string& path);
