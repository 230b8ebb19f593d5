#pragma once

namespace zp {

// Names the application (name and version) for the desktop and for
// Qt itself. No display name is set: the platform would append it
// to the title of every window, and each window's title is exactly its own.
void setApplicationIdentity();

} // namespace zp
