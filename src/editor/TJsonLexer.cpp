// Styles a range in one SCI_SETSTYLINGEX call from the tokenizer's style bytes.
#include "editor/TJsonLexer.h"

#include <Qsci/qsciscintilla.h>

#include <QColor>
#include <QFont>

#include "editor/TJsonTokenizer.h"

namespace {

using T = TJsonTokenizer;

struct SchemeColours {
    QColor keyword;
    QColor marker;
    const char* name;
};

const SchemeColours& Colours(T::Scheme s) {
    static const SchemeColours colours[T::kSchemeCount] = {
        {QColor(0, 0, 255), QColor(0, 0, 0), "JSON"},
        {QColor(64, 128, 128), QColor(0, 128, 64), "mqtt"},
        {QColor(210, 105, 0), QColor(210, 105, 0), "http"},
        {QColor(0, 179, 0), QColor(0, 128, 0), "staticTopics"},
    };
    return colours[int(s) & 3];
}

bool Valid(int style) { return style >= 0 && style < T::kSchemeCount * 8 && (style & 7) < T::kTokenCount; }

}  // namespace

TJsonLexer::TJsonLexer(QObject* parent) : QsciLexerCustom(parent) {}

const char* TJsonLexer::language() const { return "JSON"; }

QString TJsonLexer::description(int style) const {
    if (!Valid(style)) return {};
    static const char* tokens[T::kTokenCount] = {"Text", "Keyword", "Number", "String", "Symbol", "Marker"};
    return QString::fromLatin1("%1 %2").arg(
        QLatin1String(Colours(T::SchemeOfStyle(std::uint8_t(style))).name), QLatin1String(tokens[style & 7]));
}

QColor TJsonLexer::defaultColor(int style) const {
    if (!Valid(style)) return QsciLexerCustom::defaultColor(style);
    const T::Scheme s = T::SchemeOfStyle(std::uint8_t(style));
    switch (T::TokenOfStyle(std::uint8_t(style))) {
        case T::Token::Keyword:
            return Colours(s).keyword;
        case T::Token::Marker:
            return Colours(s).marker;
        case T::Token::Number:
            return s == T::Scheme::Default ? QColor(128, 0, 128) : QColor(0, 0, 0);
        default:
            return QColor(0, 0, 0);
    }
}

QFont TJsonLexer::TextFont(bool bold) {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    // QScintilla takes point sizes: 16 pixels at 96 dots per inch.
    f.setPointSizeF(12.0);
    f.setBold(bold);
    return f;
}

QFont TJsonLexer::defaultFont(int style) const {
    return TextFont(Valid(style) && T::TokenOfStyle(std::uint8_t(style)) == T::Token::Keyword);
}

QColor TJsonLexer::defaultPaper(int style) const { return QColor(255, 255, 255); }

void TJsonLexer::styleText(int start, int end) {
    QsciScintilla* ed = editor();
    if (!ed || end <= start) return;
    // The style of the line break before the line tells the scheme in force there.
    T::Scheme scheme = T::Scheme::Default;
    if (start > 0)
        scheme =
            T::SchemeOfStyle(std::uint8_t(ed->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, start - 1)));
    const auto length = static_cast<std::size_t>(end - start);
    const char* text = reinterpret_cast<const char*>(ed->SendScintilla(
        QsciScintillaBase::SCI_GETRANGEPOINTER, static_cast<unsigned long>(start), long(length)));
    if (!text) return;
    styles_.resize(length);
    T::Tokenize(text, length, scheme, styles_.data());
    startStyling(start);
    ed->SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, static_cast<uintptr_t>(length),
                      reinterpret_cast<const char*>(styles_.data()));
}
