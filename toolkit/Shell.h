#pragma once

#include <QString>
#include <functional>

// Opens an address in the desktop's default browser. The result is ignored by design: a browser
// that does not start must leave the program unaffected.
void ShellOpen(const QString& address);

// Test seam: when set, ShellOpen hands the address to the recorder instead of the desktop.
void SetShellOpenRecorder(std::function<void(const QString& address)> recorder);
