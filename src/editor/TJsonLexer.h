// The editor's highlighter: paints the runs of TJsonTokenizer into the
// QScintilla document (byte positions of its UTF-8 text) in the colours of
// the default scheme and of the "mqtt", "http" and "staticTopics" sections.
#pragma once

#include <Qsci/qscilexercustom.h>

#include <cstdint>
#include <vector>

class TJsonLexer final : public QsciLexerCustom {
    Q_OBJECT
public:
    explicit TJsonLexer(QObject* parent = nullptr);

    const char* language() const override;
    QString description(int style) const override;
    QColor defaultColor(int style) const override;
    QFont defaultFont(int style) const override;
    QColor defaultPaper(int style) const override;
    void styleText(int start, int end) override;

    // The editor's text font: Courier New, 16 pixels (12 points).
    static QFont TextFont(bool bold = false);

private:
    std::vector<std::uint8_t> styles_;
};
