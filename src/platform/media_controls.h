#pragma once

#include <QString>

#include <functional>

class QObject;

namespace kv {

// What the desktop's media controls (keys, headset buttons, the panel's widget) may ask of a
// window that shows something.
enum class MediaCommand
{
    Play,
    Pause,
    PlayPause,
    Next,
    Previous,
    Stop,
};

// What is on show, as the desktop's widget presents it.
struct NowShowing
{
    QString title;
    QString album;
    QString picture; // a file the widget may show beside the title
    qint64 lengthMs = 0;
    qint64 positionMs = 0;
    bool playing = false;
    bool stopped = false; // not playing, and not paused either: at the start, or nothing to play
    bool canPlay = true;
    bool canPause = true;
    bool canGoNext = true;
    bool canGoPrevious = true;

    bool operator==(const NowShowing&) const = default;
};

// The program as a media player on the desktop, while a window that plays something is open.
// One window at a time owns it: publishing for another replaces the first.
class IMediaControls
{
public:
    virtual ~IMediaControls() = default;
    // Commands from the desktop reach `handler` after the desktop's call has been answered, so
    // the handler may close `owner`. The player goes when `owner` is destroyed at the latest.
    virtual void publish(QObject* owner, std::function<void(MediaCommand)> handler) = 0;
    virtual void show(QObject* owner, const NowShowing& now) = 0;
    // The loudness the desktop shows and may set, from 0 to 1, while `owner` is published;
    // without a setter the desktop's setting is kept and changes nothing.
    virtual void controlVolume(QObject* owner, double volume, std::function<void(double)> setVolume) = 0;
    virtual void unpublish(QObject* owner) = 0;
};

} // namespace kv
