#include "platform/help/help_window.h"

#include "platform/regular_file.h"
#include "platform/richtext/readable_text.h"
#include "platform/richtext/rtf_reader.h"
#include "platform/product.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace kv {

namespace {
const QString DefaultTitle = ProductTitle + QStringLiteral(" Help");
constexpr qint64 MaxHelpBytes = 16 * 1024 * 1024;

// The caption is what a screen reader says: arrows go in the icon, not in the text.
QPushButton* toolButton(QWidget* parent, const QString& name, const QString& caption,
                        QStyle::StandardPixmap icon = QStyle::SP_CustomBase)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    if (icon != QStyle::SP_CustomBase)
        b->setIcon(parent->style()->standardIcon(icon));
    return b;
}

// A plain top-level widget reads to a screen reader as a "filler"; help is a dialog window.
QAccessibleInterface* helpAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("kv::HelpWindow") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Dialog);
    return nullptr;
}
} // namespace

HelpWindow::HelpWindow(QWidget* owner)
    // A dialog-type window stays above its owner, as help does, without blocking it.
    : QWidget(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                         | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("HelpWindow"));
    static const bool roleKnown = (QAccessible::installFactory(helpAccessible), true);
    Q_UNUSED(roleKnown);
    makeTextBrowsersReadable();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(DefaultTitle);
    resize(600, 480);

    m_contents = toolButton(this, QStringLiteral("cmdHelpContents"), QStringLiteral("&Contents"));
    m_back = toolButton(this, QStringLiteral("cmdHelpBack"), QStringLiteral("&Back"), QStyle::SP_ArrowBack);
    m_forward = toolButton(this, QStringLiteral("cmdHelpForward"), QStringLiteral("&Forward"), QStyle::SP_ArrowForward);
    m_forward->setLayoutDirection(Qt::RightToLeft); // its arrow after the caption
    m_close = toolButton(this, QStringLiteral("cmdHelpClose"), QStringLiteral("C&lose"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("rtbHelp"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setOpenLinks(true);
    // A screen reader reads the text itself, line by line with the caret.
    m_browser->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_contents);
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser, 1);

    connect(m_contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::updateTitle);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

HelpWindow::Kind HelpWindow::kindOf(const QString& path)
{
    // A pipe or a device would block the reader or never end.
    QFile f(path);
    if (!isRegularFile(path) || !f.open(QIODevice::ReadOnly))
        return Kind::Missing;
    const QByteArray head = f.read(4096);
    if (looksLikeRtf(head))
        return Kind::Rtf;
    const QByteArray lower = head.toLower();
    for (const char* tag : {"<!doctype html", "<html", "<head", "<body", "<title", "<h1", "<p>"}) {
        if (lower.contains(tag))
            return Kind::Html;
    }
    return Kind::Other;
}

bool HelpWindow::openFile(const QString& path)
{
    m_file = path;
    m_kind = kindOf(path);
    if (m_kind == Kind::Other)
        return false;
    if (m_kind == Kind::Missing) {
        showProblem(QStringLiteral("The help file cannot be found or read:"));
        return true;
    }
    if (QFileInfo(path).size() > MaxHelpBytes) {
        showProblem(QStringLiteral("The help file is too large to show:"));
        return true;
    }
    showContents();
    return true;
}

void HelpWindow::showContents()
{
    if (m_kind == Kind::Html) {
        // The file's name says nothing of its kind; its content is HTML.
        const bool first = m_browser->source().isEmpty();
        m_browser->setSource(QUrl::fromLocalFile(QFileInfo(m_file).absoluteFilePath()), QTextDocument::HtmlResource);
        if (first)
            m_browser->clearHistory();
        // The top of the page, with the keyboard before its first link.
        m_browser->moveCursor(QTextCursor::Start);
        m_browser->verticalScrollBar()->setValue(0);
    } else if (m_kind == Kind::Rtf) {
        auto* doc = new QTextDocument(m_browser);
        if (!readRtfFile(m_file, doc)) {
            delete doc;
            showProblem(QStringLiteral("The help file cannot be read:"));
            return;
        }
        // The browser deletes its own first document itself; only one of ours is left to remove.
        const QPointer<QTextDocument> old = m_browser->document();
        m_browser->setDocument(doc);
        if (old && old->parent() == m_browser)
            delete old.data();
    }
    updateTitle();
}

void HelpWindow::showProblem(const QString& why)
{
    m_browser->setHtml(QStringLiteral("<h2>%1</h2><p>%2</p>")
                           .arg(DefaultTitle.toHtmlEscaped(),
                                (why + QLatin1Char(' ') + QDir::toNativeSeparators(m_file)).toHtmlEscaped()));
    updateTitle();
}

void HelpWindow::updateTitle()
{
    const QString title = m_browser->documentTitle().trimmed();
    setWindowTitle(title.isEmpty() ? DefaultTitle : title);
}

} // namespace kv
