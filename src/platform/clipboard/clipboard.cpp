#include "platform/clipboard/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace kv {

void QtClipboard::clear()
{
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::setImage(const QImage& image)
{
    QGuiApplication::clipboard()->setImage(image);
}

void QtClipboard::setText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

} // namespace kv
