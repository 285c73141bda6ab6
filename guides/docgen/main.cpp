// Renders the guides shipped with the front-end into PDF at build time, from
// Markdown sources and plain-text appendices (licence texts), with nothing
// but Qt's own text layout and PDF writer.
//
//   orvane_docgen --output X.pdf --title T [--subtitle S] [--version V]
//                 [--markdown FILE]... [--appendix "HEADING=FILE"]...

#include <QColor>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QStringList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>

#include <cstdio>

namespace {

struct Options
{
    QString output;
    QString title;
    QString subtitle;
    QString version;
    QStringList markdown;
    QList<QPair<QString, QString>> appendices;
};

bool readText(const QString& path, QString* text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "orvane_docgen: cannot read %s\n", qPrintable(path));
        return false;
    }
    *text = QString::fromUtf8(file.readAll());
    return true;
}

bool parseArguments(const QStringList& args, Options* o)
{
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const QString& key = args[i];
        const QString& value = args[i + 1];
        if (key == "--output")
            o->output = value;
        else if (key == "--title")
            o->title = value;
        else if (key == "--subtitle")
            o->subtitle = value;
        else if (key == "--version")
            o->version = value;
        else if (key == "--markdown")
            o->markdown << value;
        else if (key == "--appendix" && value.contains('='))
            o->appendices.append({value.section('=', 0, 0), value.section('=', 1)});
        else
            return false;
    }
    return args.size() % 2 == 1 && !o->output.isEmpty() && !o->title.isEmpty();
}

QTextBlockFormat pageBreakBefore()
{
    QTextBlockFormat f;
    f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    return f;
}

void insertTitlePage(QTextCursor& cursor, const Options& o)
{
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setTopMargin(180);
    QTextCharFormat big;
    big.setFontPointSize(26);
    big.setFontWeight(QFont::Bold);
    cursor.setBlockFormat(centred);
    cursor.insertText(o.title, big);

    centred.setTopMargin(24);
    QTextCharFormat normal;
    normal.setFontPointSize(14);
    if (!o.subtitle.isEmpty()) {
        cursor.insertBlock(centred);
        cursor.insertText(o.subtitle, normal);
    }
    if (!o.version.isEmpty()) {
        cursor.insertBlock(centred);
        cursor.insertText(o.version, normal);
    }
    centred.setTopMargin(220);
    normal.setFontPointSize(10);
    cursor.insertBlock(centred);
    cursor.insertText(QStringLiteral("QOR Systems"), normal);
}

void insertMarkdown(QTextCursor& cursor, const QString& markdown)
{
    QTextDocument part;
    part.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    cursor.insertBlock(pageBreakBefore(), QTextCharFormat());
    cursor.insertFragment(QTextDocumentFragment(&part));
}

void insertAppendix(QTextCursor& cursor, const QString& heading, const QString& text)
{
    QTextCharFormat headingFormat;
    headingFormat.setFontPointSize(16);
    headingFormat.setFontWeight(QFont::Bold);
    QTextBlockFormat first = pageBreakBefore();
    first.setBottomMargin(12);
    cursor.insertBlock(first, headingFormat);
    cursor.insertText(heading, headingFormat);

    QTextCharFormat mono;
    mono.setFontFamily(QStringLiteral("DejaVu Sans Mono"));
    mono.setFontFixedPitch(true);
    mono.setFontPointSize(7.5);
    cursor.insertBlock(QTextBlockFormat(), mono);
    QString body = text;
    body.replace('\f', QString());
    cursor.insertText(body, mono);
}

// Markdown marks code with the platform's fixed font, which a headless
// platform does not have: code gets a real monospace face in the size of the
// text around it, code blocks an indent; tables single rules.
bool isCode(const QTextCharFormat& f)
{
    const QString fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    return f.fontFixedPitch() || (!f.fontFamily().isEmpty() && f.fontFamily() == fixed);
}

void polish(QTextDocument& doc, qreal textPointSize)
{
    QTextCharFormat mono;
    mono.setFontFamily(QStringLiteral("DejaVu Sans Mono"));
    mono.setFontFixedPitch(true);
    mono.setFontPointSize(textPointSize * 0.88);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        bool allCode = !block.text().isEmpty();
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!isCode(fragment.charFormat())) {
                allCode = false;
                continue;
            }
            QTextCursor c(&doc);
            c.setPosition(fragment.position());
            c.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            c.mergeCharFormat(mono);
        }
        if (allCode && !block.textList() && !QTextCursor(block).currentTable()) {
            QTextBlockFormat code;
            // No shade: a block that runs over a page end would paint the
            // page gap too.
            code.setLeftMargin(18);
            QTextCursor(block).mergeBlockFormat(code);
        }
    }
    const QList<QTextFrame*> frames = doc.rootFrame()->childFrames();
    for (QTextFrame* frame : frames) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        QTextTableFormat f = table->format();
        f.setBorderCollapse(true);
        f.setBorder(0.6);
        f.setBorderBrush(QColor(0x70, 0x70, 0x70));
        f.setCellPadding(3);
        f.setCellSpacing(0);
        f.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        f.setTopMargin(4);
        f.setBottomMargin(8);
        table->setFormat(f);
        // Header row shaded, as readers expect of a reference table.
        for (int col = 0; col < table->columns(); ++col) {
            QTextTableCell cell = table->cellAt(0, col);
            QTextCharFormat cf = cell.format();
            cf.setBackground(QColor(0xe4, 0xec, 0xf5));
            cell.setFormat(cf);
        }
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    Options options;
    if (!parseArguments(app.arguments(), &options)) {
        std::fprintf(stderr,
                     "usage: orvane_docgen --output X.pdf --title T [--subtitle S] [--version V]"
                     " [--markdown FILE]... [--appendix HEADING=FILE]...\n");
        return 2;
    }

    QTextDocument doc;
    QFont font(QStringLiteral("DejaVu Sans"));
    constexpr qreal TextPointSize = 10.5;
    font.setPointSizeF(TextPointSize);
    doc.setDefaultFont(font);
    QTextCursor cursor(&doc);
    insertTitlePage(cursor, options);
    for (const QString& path : options.markdown) {
        QString text;
        if (!readText(path, &text))
            return 1;
        insertMarkdown(cursor, text.replace(QLatin1String("@VERSION@"), options.version));
    }
    polish(doc, TextPointSize);
    for (const auto& appendix : options.appendices) {
        QString text;
        if (!readText(appendix.second, &text))
            return 1;
        insertAppendix(cursor, appendix.first, text);
    }

    QPdfWriter writer(options.output);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter);
    writer.setTitle(options.title);
    writer.setCreator(QStringLiteral("ORVANE3"));
    doc.print(&writer);
    if (!QFile::exists(options.output)) {
        std::fprintf(stderr, "orvane_docgen: %s was not written\n", qPrintable(options.output));
        return 1;
    }
    return 0;
}
