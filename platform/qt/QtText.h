// Text between the program (UTF-8 in std::string) and Qt (UTF-16 QString). User text converts
// both ways; a file name converts only one way, for display, and the program keeps its bytes.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace qm::platform {

QString toQString(std::string_view text);
std::string fromQString(const QString& text);

// A name as the user sees it: every byte that is not valid UTF-8 shown as U+FFFD.
QString displayQString(std::string_view name);

// Multi-line text as Qt lays it out: the program's CR LF line breaks become LF.
QString linesQString(std::string_view text);

// Positions in characters (code points) against positions in UTF-16 units.
int charactersBefore(const QString& text, int utf16Position);
int utf16Position(const QString& text, int characters);

}  // namespace qm::platform
