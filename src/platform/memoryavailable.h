#pragma once
// How much more memory the process can take before the system, its control
// group or its own limits stop it.

#include <QtGlobal>

namespace zp {

// The smallest of: the memory the system reports available, what the
// process's control group still allows, and what the process's data and
// address-space limits leave. -1 when none of them is known.
qint64 availableMemory();

} // namespace zp
