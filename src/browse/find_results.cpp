#include "browse/find_results.h"

#include "browse/find_indexer.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPainter>
#include <QTextDocument>

namespace kv {

namespace {
constexpr int Padding = 3;
constexpr int SnippetLines = 2;
} // namespace

void FindResults::show(std::shared_ptr<const FindLibrary> library, QList<FindIndex::Hit> hits)
{
    beginResetModel();
    m_library = std::move(library);
    m_hits = std::move(hits);
    m_snippets.clear();
    endResetModel();
}

const FindSource* FindResults::source(int row) const
{
    if (!m_library || row < 0 || row >= m_hits.size())
        return nullptr;
    return &m_library->sources[std::size_t(m_hits[row].text)];
}

int FindResults::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_hits.size());
}

QVariant FindResults::data(const QModelIndex& index, int role) const
{
    const FindSource* from = source(index.row());
    if (!from)
        return {};
    const FindIndex::Hit& hit = m_hits[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return from->label + QStringLiteral(": ") + m_library->index.snippet(hit, false);
    case LabelRole:
        return from->label;
    case SnippetHtmlRole: {
        auto it = m_snippets.constFind(index.row());
        if (it == m_snippets.constEnd())
            it = m_snippets.insert(index.row(), m_library->index.snippet(hit, true));
        return *it;
    }
    default:
        return {};
    }
}

void FindResultDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget* widget = opt.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const bool selected = opt.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = (opt.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    const QColor ink = opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor where = selected ? ink : opt.palette.color(group, QPalette::Link);
    const QRect box = opt.rect.adjusted(2 * Padding, Padding, -2 * Padding, -Padding);
    const QFontMetrics metrics(opt.font);

    painter->save();
    painter->setClipRect(box);
    painter->setFont(opt.font);
    painter->setPen(where);
    const QString label = index.data(FindResults::LabelRole).toString();
    painter->drawText(QRect(box.left(), box.top(), box.width(), metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                      metrics.elidedText(label, Qt::ElideRight, box.width()));

    QTextDocument snippet;
    snippet.setDocumentMargin(0);
    snippet.setDefaultFont(opt.font);
    snippet.setTextWidth(box.width());
    snippet.setHtml(index.data(FindResults::SnippetHtmlRole).toString());
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, ink);
    context.clip = QRectF(0, 0, box.width(), SnippetLines * metrics.lineSpacing());
    painter->translate(box.left(), box.top() + metrics.height() + 1);
    snippet.documentLayout()->draw(painter, context);
    painter->restore();
}

QSize FindResultDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    const QFontMetrics metrics(option.font);
    // Rows take the list's width; the snippet wraps and is cut, never scrolled sideways.
    return {1, metrics.height() + 1 + SnippetLines * metrics.lineSpacing() + 2 * Padding};
}

} // namespace kv
