#pragma once

#include <QString>

// A per-user lock named `name`: a flock'ed file in $XDG_RUNTIME_DIR (else a per-user folder under
// the temporary directory). Returns true when this process now holds it, false when another process
// of this user holds it or the lock cannot be made. The kernel releases it when the process ends,
// even when killed; it is never released before.
bool AcquireInstanceLock(const QString& name);
