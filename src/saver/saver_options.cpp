#include "saver/saver_options.h"

namespace kv {

namespace {

// Decimal, or hexadecimal with "0x" as xscreensaver writes it.
bool parseWindowId(const QString& text, quint64* id)
{
    bool ok = false;
    const quint64 value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
        ? text.mid(2).toULongLong(&ok, 16)
        : text.toULongLong(&ok, 10);
    if (!ok || value == 0)
        return false;
    *id = value;
    return true;
}

} // namespace

QString saverUsage()
{
    return QStringLiteral(
        "usage: KelVardo.scr [-root | -window-id ID | -preview [ID] | -s | -c] [--trace] [--interval-ms N]\n"
        "Shows the photos chosen in The Kel-Vardo Folivra (File > Install Screen saver).\n"
        "  (none), -s      full screen; ends on a key press, a click or a mouse movement\n"
        "  -root           into XSCREENSAVER_WINDOW when set, otherwise the root window (X11 only)\n"
        "  -window-id ID   into the X11 window ID (decimal or 0x hex)\n"
        "  -preview, -p    a small window, or into window ID when one follows\n"
        "  -c              where the settings are made\n"
        "  --trace         print each photo as it appears, with its due time\n"
        "  --interval-ms N change photos every N ms (at least 10) instead of the stored interval\n");
}

bool wantsXWindow(const SaverOptions& o)
{
    return o.error.isEmpty() && o.mode == SaverMode::IntoWindow;
}

SaverOptions parseSaverOptions(const QStringList& args, const QString& envWindow)
{
    SaverOptions o;
    bool modeGiven = false;
    for (int i = 0; i < args.size(); ++i) {
        QString a = args.at(i);
        // "/s" and "--root" read as "-s" and "-root"; Windows savers also write "/p:ID".
        if (a.startsWith(QLatin1Char('/')) && a.size() >= 2)
            a[0] = QLatin1Char('-');
        if (a.startsWith(QLatin1String("--")))
            a.remove(0, 1);
        QString value;
        if (const qsizetype colon = a.indexOf(QLatin1Char(':')); colon > 0)
            value = a.mid(colon + 1), a.truncate(colon);
        else if (const qsizetype eq = a.indexOf(QLatin1Char('=')); eq > 0)
            value = a.mid(eq + 1), a.truncate(eq);
        const QString lower = a.toLower();
        auto next = [&](QString* out) {
            if (!value.isEmpty()) {
                *out = value;
                return true;
            }
            if (i + 1 < args.size()) {
                *out = args.at(++i);
                return true;
            }
            return false;
        };
        if (lower == QLatin1String("-root")) {
            o.mode = SaverMode::IntoWindow;
            o.root = true;
            modeGiven = true;
        } else if (lower == QLatin1String("-window-id")) {
            QString id;
            if (!next(&id) || !parseWindowId(id, &o.window)) {
                o.error = QStringLiteral("-window-id needs a window number, not \"%1\"").arg(id);
                return o;
            }
            o.mode = SaverMode::IntoWindow;
            o.root = false;
            modeGiven = true;
        } else if (lower == QLatin1String("-preview") || lower == QLatin1String("-p")) {
            o.mode = SaverMode::Preview;
            modeGiven = true;
            quint64 id = 0;
            if (!value.isEmpty() ? parseWindowId(value, &id)
                                 : (i + 1 < args.size() && parseWindowId(args.at(i + 1), &id) && ++i)) {
                o.window = id;
            }
        } else if (lower == QLatin1String("-s")) {
            o.mode = SaverMode::FullScreen;
            modeGiven = true;
        } else if (lower == QLatin1String("-c")) {
            o.mode = SaverMode::Configure;
            return o;
        } else if (lower == QLatin1String("-h") || lower == QLatin1String("-help")) {
            o.mode = SaverMode::Help;
            return o;
        } else if (lower == QLatin1String("-trace")) {
            o.trace = true;
        } else if (lower == QLatin1String("-interval-ms")) {
            QString ms;
            bool ok = false;
            const int n = next(&ms) ? ms.toInt(&ok) : 0;
            if (!ok || n < 10) {
                o.error = QStringLiteral("--interval-ms needs a number of milliseconds (10 or more), not \"%1\"").arg(ms);
                return o;
            }
            o.intervalMs = n;
        } else {
            o.error = QStringLiteral("unknown option \"%1\"").arg(args.at(i));
            return o;
        }
    }
    // xscreensaver hands its window over in the environment and passes "-root".
    quint64 envId = 0;
    if ((o.root || !modeGiven) && parseWindowId(envWindow.trimmed(), &envId)) {
        o.mode = SaverMode::IntoWindow;
        o.window = envId;
        o.root = false;
    }
    return o;
}

} // namespace kv
