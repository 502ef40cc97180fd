#include "platform/qt/QtText.h"

#include "base/Text.h"

namespace qm::platform {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string fromQString(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString displayQString(std::string_view name) {
    return toQString(text::displayForm(name));
}

QString linesQString(std::string_view text) {
    QString lines = toQString(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

int charactersBefore(const QString& text, int utf16Position) {
    int characters = 0;
    const int end = std::min<int>(utf16Position, static_cast<int>(text.size()));
    for (int i = 0; i < end; ++i) {
        // The low half of a surrogate pair belongs to the character its high half started.
        if (!(text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate())) {
            ++characters;
        }
    }
    return characters;
}

int utf16Position(const QString& text, int characters) {
    int position = 0;
    const int size = static_cast<int>(text.size());
    for (int counted = 0; counted < characters && position < size; ++counted) {
        const bool pair = text.at(position).isHighSurrogate() && position + 1 < size &&
                          text.at(position + 1).isLowSurrogate();
        position += pair ? 2 : 1;
    }
    return position;
}

}  // namespace qm::platform
