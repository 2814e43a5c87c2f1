#include "app/RtfReader.h"

#include "common/CodePage.h"

#include <QColor>
#include <QHash>
#include <QMap>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <array>
#include <vector>

namespace {

using ByteTable = std::array<QChar, 256>;

// One table per code page: rich text from word processors spells most
// characters as single bytes (\'hh), so decoding byte by byte is enough.
const ByteTable& byteTable(int codePage)
{
    static QHash<int, ByteTable> tables;
    auto found = tables.constFind(codePage);
    if (found != tables.constEnd())
        return *found;
    QByteArray all(256, '\0');
    for (int b = 0; b < 256; ++b)
        all[b] = char(b);
    QString text;
    if (codePage == 1250 || codePage == 1251) {
        text = decode(codePage == 1250 ? CodePage::Cp1250 : CodePage::Cp1251, all);
    } else {
        QStringDecoder decoder(QByteArray("windows-") + QByteArray::number(codePage));
        text = decoder.isValid() ? decoder.decode(all) : QString::fromLatin1(all);
    }
    ByteTable table;
    for (int b = 0; b < 256; ++b)
        table[b] = b < text.size() ? text[b] : QChar(QChar::ReplacementCharacter);
    return *tables.insert(codePage, table);
}

int codePageOfCharset(int charset, int ansiCodePage)
{
    static const QMap<int, int> pages{{0, 1252},   {77, 10000}, {161, 1253}, {162, 1254},
                                      {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257},
                                      {204, 1251}, {222, 874},  {238, 1250}};
    return pages.value(charset, ansiCodePage);
}

bool isSkippedDestination(const QByteArray& word)
{
    static const QSet<QByteArray> skipped{"stylesheet",
                                          "info",
                                          "pict",
                                          "object",
                                          "header",
                                          "headerl",
                                          "headerr",
                                          "headerf",
                                          "footer",
                                          "footerl",
                                          "footerr",
                                          "footerf",
                                          "footnote",
                                          "annotation",
                                          "listtable",
                                          "listoverridetable",
                                          "revtbl",
                                          "rsidtbl",
                                          "xmlnsdecls",
                                          "themedata",
                                          "colorschememapping",
                                          "latentstyles",
                                          "datastore",
                                          "generator",
                                          "fldinst",
                                          "nonshppict",
                                          "filetbl",
                                          "author",
                                          "operator",
                                          "comment",
                                          "title",
                                          "subject",
                                          "keywords",
                                          "pn",
                                          "listtext"};
    return skipped.contains(word);
}

QChar namedCharacter(const QByteArray& word)
{
    static const QHash<QByteArray, QChar> named{{"emdash", QChar(0x2014)},
                                                {"endash", QChar(0x2013)},
                                                {"bullet", QChar(0x2022)},
                                                {"lquote", QChar(0x2018)},
                                                {"rquote", QChar(0x2019)},
                                                {"ldblquote", QChar(0x201C)},
                                                {"rdblquote", QChar(0x201D)},
                                                {"emspace", QChar(0x2003)},
                                                {"enspace", QChar(0x2002)},
                                                {"qmspace", QChar(0x2005)},
                                                {"tab", QChar(u'\t')},
                                                {"cell", QChar(u'\t')},
                                                {"line", QChar(QChar::LineSeparator)}};
    return named.value(word);
}

enum class Destination { Text, Skip, FontTable, ColorTable };

struct GroupState {
    Destination destination = Destination::Text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;
    int color = 0;
    int font = -1;
    int unicodeSkip = 1;
};

struct TableColor {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool given = false;
};

class RtfParser {
public:
    RtfParser(const QByteArray& bytes, QTextDocument* document) : in_(bytes), cursor_(document) {}

    void run()
    {
        // One edit: the document is laid out once at its end, not again at
        // every piece of text as it comes in.
        cursor_.beginEditBlock();
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{')
                openGroup();
            else if (c == '}')
                closeGroup();
            else if (c == '\\')
                controlSequence();
            else if (c != '\r' && c != '\n')
                textByte(uchar(c));
        }
        flush();
        cursor_.endEditBlock();
    }

private:
    void openGroup()
    {
        flush();
        stack_.push_back(state_);
        skipCount_ = 0;
    }

    void closeGroup()
    {
        flush();
        if (!stack_.empty()) {
            state_ = stack_.back();
            stack_.pop_back();
        }
        skipCount_ = 0;
    }

    void controlSequence()
    {
        if (pos_ >= in_.size())
            return;
        const char c = in_[pos_];
        if (isLetter(c))
            return controlWord();
        ++pos_;
        if (c == '\'')
            return hexByte();
        if (consumeSkipped())
            return;
        switch (c) {
        case '*':
            state_.destination = Destination::Skip;
            break;
        case '~':
            character(QChar(QChar::Nbsp));
            break;
        case '_':
            character(QChar(0x2011));
            break;
        case '\r':
        case '\n':
            paragraph();
            break;
        case '-':
            break;
        default:
            textByte(uchar(c));
        }
    }

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    void controlWord()
    {
        const qsizetype start = pos_;
        while (pos_ < in_.size() && isLetter(in_[pos_]))
            ++pos_;
        const QByteArray word = in_.mid(start, pos_ - start);
        std::optional<int> parameter;
        const qsizetype numberStart = pos_;
        if (pos_ < in_.size() && in_[pos_] == '-')
            ++pos_;
        while (pos_ < in_.size() && isDigit(in_[pos_]))
            ++pos_;
        if (pos_ > numberStart)
            parameter = in_.mid(numberStart, pos_ - numberStart).toInt();
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        if (word == "bin")
            return skipBinary(parameter.value_or(0));
        if (!consumeSkipped())
            apply(word, parameter);
    }

    // Characters that stand in for a \uN character for readers without Unicode.
    bool consumeSkipped()
    {
        if (skipCount_ == 0)
            return false;
        --skipCount_;
        return true;
    }

    void skipBinary(int length) { pos_ = std::min(in_.size(), pos_ + std::max(0, length)); }

    void hexByte()
    {
        const QByteArray hex = in_.mid(pos_, 2);
        pos_ += hex.size();
        bool ok = false;
        const int value = hex.toInt(&ok, 16);
        if (ok)
            textByte(uchar(value));
    }

    void apply(const QByteArray& word, std::optional<int> parameter)
    {
        const int value = parameter.value_or(1);
        if (state_.destination == Destination::Skip)
            return;
        if (isSkippedDestination(word)) {
            flush();
            state_.destination = Destination::Skip;
        } else if (word == "fonttbl") {
            state_.destination = Destination::FontTable;
        } else if (word == "colortbl") {
            state_.destination = Destination::ColorTable;
        } else if (state_.destination == Destination::FontTable) {
            fontTableWord(word, value);
        } else if (state_.destination == Destination::ColorTable) {
            colorTableWord(word, value);
        } else {
            documentWord(word, parameter, value);
        }
    }

    void fontTableWord(const QByteArray& word, int value)
    {
        if (word == "f")
            tableFont_ = value;
        else if (word == "fcharset")
            fontCodePage_[tableFont_] = codePageOfCharset(value, ansiCodePage_);
        else if (word == "cpg")
            fontCodePage_[tableFont_] = value;
    }

    void colorTableWord(const QByteArray& word, int value)
    {
        if (word == "red")
            tableColor_.red = value;
        else if (word == "green")
            tableColor_.green = value;
        else if (word == "blue")
            tableColor_.blue = value;
        else
            return;
        tableColor_.given = true;
    }

    void documentWord(const QByteArray& word, std::optional<int> parameter, int value)
    {
        if (const QChar named = namedCharacter(word); !named.isNull())
            return character(named);
        if (word == "par" || word == "sect" || word == "page" || word == "row")
            return paragraph();
        if (word == "u")
            return unicodeCharacter(value);
        flush();
        if (word == "ansicpg")
            ansiCodePage_ = value;
        else if (word == "deff")
            defaultFont_ = value;
        else if (word == "uc")
            state_.unicodeSkip = std::max(0, value);
        else if (word == "plain")
            resetCharacterFormat();
        else if (word == "pard")
            resetParagraph();
        else if (word == "ql")
            align(Qt::AlignLeft);
        else if (word == "qc")
            align(Qt::AlignHCenter);
        else if (word == "qr")
            align(Qt::AlignRight);
        else if (word == "qj")
            align(Qt::AlignJustify);
        else if (word == "sb" || word == "sa")
            space(word == "sb", value);
        else
            characterFormatWord(word, parameter, value);
    }

    void characterFormatWord(const QByteArray& word, std::optional<int> parameter, int value)
    {
        if (word == "b")
            state_.bold = value != 0;
        else if (word == "i")
            state_.italic = value != 0;
        else if (word == "ulnone")
            state_.underline = false;
        else if (word.startsWith("ul") && word != "ulc")
            state_.underline = value != 0;
        else if (word == "fs" && parameter)
            state_.halfPoints = value;
        else if (word == "cf")
            state_.color = value;
        else if (word == "f")
            state_.font = value;
    }

    void resetCharacterFormat()
    {
        const GroupState fresh;
        state_.bold = fresh.bold;
        state_.italic = fresh.italic;
        state_.underline = fresh.underline;
        state_.halfPoints = fresh.halfPoints;
        state_.color = fresh.color;
        state_.font = -1;
    }

    void align(Qt::Alignment alignment)
    {
        QTextBlockFormat format = cursor_.blockFormat();
        format.setAlignment(alignment);
        cursor_.setBlockFormat(format);
    }

    // Space before or after a paragraph, in twips (1/20 point).
    void space(bool before, int twips)
    {
        QTextBlockFormat format = cursor_.blockFormat();
        const qreal points = std::max(0, twips) / 20.0;
        if (before)
            format.setTopMargin(points);
        else
            format.setBottomMargin(points);
        cursor_.setBlockFormat(format);
    }

    void resetParagraph() { cursor_.setBlockFormat(QTextBlockFormat()); }

    void unicodeCharacter(int value)
    {
        // \uN takes a signed 16-bit number; characters above 32767 come negative.
        character(QChar(char16_t(value < 0 ? value + 65536 : value)));
        skipCount_ = state_.unicodeSkip;
    }

    void textByte(uchar byte)
    {
        if (consumeSkipped())
            return;
        switch (state_.destination) {
        case Destination::Text:
            pending_ += byteTable(currentCodePage())[byte];
            break;
        case Destination::FontTable:
            break; // the font names are not needed; sizes and faces come from the pane
        case Destination::ColorTable:
            if (byte == ';')
                endTableColor();
            break;
        case Destination::Skip:
            break;
        }
    }

    void character(QChar c)
    {
        if (state_.destination == Destination::Text)
            pending_ += c;
    }

    void endTableColor()
    {
        // An entry without components is the automatic colour: no colour of its own.
        colors_.push_back(tableColor_.given
                              ? QColor(tableColor_.red, tableColor_.green, tableColor_.blue)
                              : QColor());
        tableColor_ = {};
    }

    int currentCodePage() const
    {
        const int font = state_.font >= 0 ? state_.font : defaultFont_;
        return fontCodePage_.value(font, ansiCodePage_);
    }

    QTextCharFormat characterFormat() const
    {
        QTextCharFormat format;
        format.setFontWeight(state_.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(state_.italic);
        format.setFontUnderline(state_.underline);
        format.setFontPointSize(state_.halfPoints / 2.0);
        if (state_.color > 0 && state_.color < int(colors_.size()) &&
            colors_[state_.color].isValid())
            format.setForeground(colors_[state_.color]);
        return format;
    }

    void flush()
    {
        if (pending_.isEmpty())
            return;
        cursor_.insertText(pending_, characterFormat());
        pending_.clear();
    }

    void paragraph()
    {
        if (state_.destination != Destination::Text)
            return;
        flush();
        QTextBlockFormat format = cursor_.blockFormat();
        cursor_.insertBlock(format, characterFormat());
    }

    const QByteArray& in_;
    qsizetype pos_ = 0;
    QTextCursor cursor_;
    GroupState state_;
    std::vector<GroupState> stack_;
    QString pending_;
    int skipCount_ = 0;
    int ansiCodePage_ = 1252;
    int defaultFont_ = 0;
    int tableFont_ = 0;
    QHash<int, int> fontCodePage_;
    TableColor tableColor_;
    std::vector<QColor> colors_;
};

} // namespace

void readRtf(const QByteArray& bytes, QTextDocument* document)
{
    document->clear();
    RtfParser(bytes, document).run();
}

void readDescription(const QByteArray& bytes, QTextDocument* document)
{
    if (bytes.startsWith("{\\rtf"))
        readRtf(bytes, document);
    else
        document->setPlainText(decode(CodePage::Cp1251, bytes));
}
