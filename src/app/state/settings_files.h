#pragma once

#include <QString>

#include <optional>

// The two one-line settings files, face.txt (skin file name) and ji.txt (run counter): GBK text,
// CR LF line ends, rewritten whole and atomically so a crash never leaves half a file.
namespace tessivo::settings {

inline constexpr auto DefaultSkin = "pixos.urf";
inline constexpr auto NoSkin = "取消皮肤.urf";
inline constexpr auto InitialRunCount = "30";

// The first field of a file's first line: up to the first comma or the line end, leading
// blanks skipped; a field opening with a double quote runs to the closing quote.
QString firstField(const QString& firstLine);

// The text whose first field reads back as `value`: `value` itself, or quoted when a comma,
// outer blanks or a leading quote would change it. nullopt when no text reads back the same
// (a name that needs quotes and holds a quote, or a line break).
std::optional<QString> fieldText(const QString& value);

// A skin is named by a bare file name in the program's folder: no folder part, no "..", no
// control characters, ending in ".urf" in any case. Anything else would let face.txt pick any
// file on the machine as the style sheet.
bool isSkinFileName(const QString& name);

// First field of the file at `path`; nullopt when it cannot be read.
std::optional<QString> readFirstField(const QString& path);

// Replaces the file with `line` + CR LF, atomically. False (with `error`) on failure, and the
// old file is then left as it was: every write is checked, none is left in a buffer.
bool writeSingleLine(const QString& path, const QString& line, QString* error = nullptr);

// Creates the file with `line` when it does not exist. False when it cannot be created.
bool ensureExists(const QString& path, const QString& line, QString* error = nullptr);

// The run counter step done at exit, from the counter field read from ji.txt.
struct CounterStep {
    QString next;         // the text written back
    bool opensPage;       // the count is above 30 and ends in 5
};
CounterStep advanceCounter(const QString& field);

// Which page opens when the counter step opens one: the online-lookup page when the time
// text ends in a digit above 5, else the forum page.
bool opensOnlineLookupPage(const QString& timeText);

}  // namespace tessivo::settings
