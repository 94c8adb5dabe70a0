#pragma once

#include <QString>

// The addresses the program opens: the banner link, the exit step, the About and Help windows.
namespace tessivo::links {

inline QString onlineLookupPage() { return QStringLiteral("https://tessivo.org/wubi/"); }
// No closing slash: the forum search path is appended to it as it stands.
inline QString forumPage() { return QStringLiteral("https://tessivo.org/forum"); }
// The forum's title search; the search text follows, as GBK bytes percent-encoded.
inline QString forumSearchPath() { return QStringLiteral("/search.asp?page=1&type=title&searchtxt="); }
// The two home pages, the e-mail address and the messenger number shown in the About window.
inline QString webSite1() { return QStringLiteral("https://tessivo.org/"); }
inline QString webSite2() { return QStringLiteral("https://tessivo.org/download/"); }
inline QString authorEmail() { return QStringLiteral("author@tessivo.org"); }
inline QString messengerNumber() { return QStringLiteral("86086086"); }

}  // namespace tessivo::links
