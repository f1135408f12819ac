#include "app/error_reporter.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/topics.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

#include <QDir>
#include <QHash>

namespace kv {

namespace {
const QString CrLf = QStringLiteral("\r\n");

const QHash<QString, QString>& messageLines()
{
    static const QString textFile = QStringLiteral(" Unable to load the text file.");
    static const QString slide = QStringLiteral(" Unable to load Slide Show photo.");
    static const QString noCd = QStringLiteral(" Unable to detect the Kel-Vardo Folivra CDROM.");
    static const QHash<QString, QString> lines = {
        {QStringLiteral("ER001"), noCd},
        {QStringLiteral("ER002"), QStringLiteral(" Unable to load  Description  for year selected.")},
        {QStringLiteral("ER003"), QStringLiteral(" Unable to load Intel Video driver install software.")},
        {QStringLiteral("ER005"), textFile},
        {QStringLiteral("ER007"), textFile},
        {QStringLiteral("ER008"), textFile},
        {QStringLiteral("ER009"), textFile},
        {QStringLiteral("ER010"), textFile},
        {QStringLiteral("ER011"), QStringLiteral(" Unable to load photo.")},
        {QStringLiteral("ER012"), QStringLiteral(" Unable to load photo.")},
        {QStringLiteral("ER013"), slide},
        {QStringLiteral("ER014"), slide},
        {QStringLiteral("ER015"), slide},
        {QStringLiteral("ER016"), slide},
        {QStringLiteral("ER017"), slide},
        {QStringLiteral("ER018"), slide},
        {QStringLiteral("ER021"), QStringLiteral(" Unable to load  Script  for year selected.")},
        {QStringLiteral("ER022"), QStringLiteral(" Unable to load  Emblem  for year selected.")},
        {QStringLiteral("ER023"), QStringLiteral(" Kel-Vardo photo not found for year selected.")},
        {QStringLiteral("ER024"), QStringLiteral(" Kel-Vardo clip art not found for year selected.")},
        {QStringLiteral("ER025"), textFile},
        {QStringLiteral("ER026"), textFile},
        {QStringLiteral("ER027"), textFile},
        {QStringLiteral("ER029"), textFile},
        {QStringLiteral("ER034"), QStringLiteral(" You must select both a Start Year and an End Year. ")},
        {QStringLiteral("ER035"), QStringLiteral(" Kel-Vardo clip art not found for year selected.")},
        {QStringLiteral("ER036"), QStringLiteral(" 'TO' year may not be earlier than 'FROM' year.")},
        {QStringLiteral("ER037"), QStringLiteral(" Unable to load the photo array.")},
        {QStringLiteral("ER038"), QStringLiteral(" Unable to load the 'Sound Effects' file.")},
        {QStringLiteral("ER040"), QStringLiteral(" Unable to load file for printing.")},
        {QStringLiteral("ER044"), QStringLiteral(" Unable to load Kel-Vardo Ad.")},
        {QStringLiteral("ER045"), QStringLiteral(" Unable to load Kel-Vardo Movie.")},
        {QStringLiteral("ER049"), QStringLiteral(" Unable to find Screen Saver.")},
        {QStringLiteral("ER052"), QStringLiteral(" Unable to load 'Install Screen Saver Help' text file.")},
        {QStringLiteral("ER053"), QStringLiteral(" Unable to load 'Contributions' text file.")},
        {QStringLiteral("ER055"), noCd},
        {QStringLiteral("ER060"), QStringLiteral(" Unable to copy photo to disk. Make sure target media is writeable.")},
    };
    return lines;
}
} // namespace

QString errorMessageLine(const QString& code)
{
    return messageLines().value(code);
}

bool isRetryCancelCode(const QString& code)
{
    return code == QLatin1String("ER001") || code == QLatin1String("ER037")
        || code == QLatin1String("ER055");
}

QString errorMessageText(const QString& code)
{
    const QString head = QStringLiteral("Error number: ") + code;
    if (code == QLatin1String("ER036") || code == QLatin1String("ER060"))
        return head + CrLf + CrLf + errorMessageLine(code);
    return head + CrLf + CrLf + errorMessageLine(code) + CrLf + CrLf
        + QStringLiteral("Make sure that the Kel-Vardo Folivra is in the CDROM drive.");
}

void FocusNextYearButton(AppContext& c)
{
    if (!c.form1)
        return;
    c.form1->focusYearButton(yearButtonAfter(c.state.CurrentYearButton));
}

int ErrorReporter(AppContext& c, Failure failure)
{
    AppState& s = c.state;
    s.MsgText = errorMessageText(s.ErrCode);
    if (s.ErrCode == QLatin1String("ER001") && !c.discFolder.isEmpty())
        s.MsgText += CrLf + CrLf + QDir::toNativeSeparators(c.discFolder); // the folder the user named
    if (isRetryCancelCode(s.ErrCode)) {
        const int answer = c.dialogs().messageBox(s.MsgText, Buttons::RetryCancel, Icon::None);
        s.MsgAnswer = QString::number(answer);
        if (answer != Retry) {
            // Through the event loop, so that windows close and background work stops.
            c.ended = true;
            c.shell().releaseSingleInstance();
            if (c.quitApplication)
                c.quitApplication();
        }
        return answer;
    }
    const int answer = c.dialogs().messageBox(s.MsgText, Buttons::Ok, Icon::Critical);
    if (failure == Failure::Detected)
        FocusNextYearButton(c);
    if (c.form1)
        c.form1->setEnabled(true);
    return answer;
}

} // namespace kv
