#pragma once

#include <QString>

// The web addresses the program opens: the banner link, the exit step and the About window.
namespace tessivo::links {

inline QString onlineLookupPage() { return QStringLiteral("https://tessivo.org/wubi/"); }
inline QString forumPage() { return QStringLiteral("https://tessivo.org/forum/"); }

}  // namespace tessivo::links
