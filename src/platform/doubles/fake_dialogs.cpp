#include "platform/doubles/fake_dialogs.h"

#include <QFileInfo>

namespace kv {

int FakeDialogs::messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    Box box{text, buttons, icon, title.isEmpty() ? ProductTitle : title};
    boxes.append(box);
    if (onBox)
        onBox(box);
    if (!answers.isEmpty())
        return answers.takeFirst();
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel: return Ok;
    case Buttons::RetryCancel: return Retry;
    case Buttons::YesNo:
    case Buttons::YesNoCancel: return Yes;
    }
    return Ok;
}

QString FakeDialogs::saveFileName(const QString& caption, const QString& suggested, const QString& filter,
                                  const QString& defaultSuffix)
{
    saveCaptions.append(caption);
    saveSuggested.append(suggested);
    saveFilters.append(filter);
    if (saveNames.isEmpty())
        return {};
    QString name = saveNames.takeFirst();
    if (!defaultSuffix.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + defaultSuffix;
    return name;
}

} // namespace kv
