#pragma once

#include "browse/find_index.h"

#include <QAbstractListModel>
#include <QHash>
#include <QStyledItemDelegate>

#include <memory>

namespace kv {

struct FindLibrary;
struct FindSource;

// The results of one search, best first. Each row reads "where: snippet"; snippets are made
// when a row is first shown, so a word found in every text costs no more than the rows seen.
class FindResults : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role
    {
        LabelRole = Qt::UserRole + 1,
        SnippetHtmlRole,
    };
    using QAbstractListModel::QAbstractListModel;

    void show(std::shared_ptr<const FindLibrary> library, QList<FindIndex::Hit> hits);
    const FindSource* source(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::shared_ptr<const FindLibrary> m_library;
    QList<FindIndex::Hit> m_hits;
    mutable QHash<int, QString> m_snippets; // html, by row
};

// Paints a row in two lines: where the text comes from, and the snippet with the matched words
// in bold.
class FindResultDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace kv
