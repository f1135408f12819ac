#pragma once

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

namespace kv {

// The title's push buttons and its painted pictures, made the same way by every window.

// A push button with its name and caption; placed at `geometry` when one is given, else left
// to the window's layout.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry = {});

// The title picture: a long, low coupe in silhouette against a sunset, with the title's name;
// shown before any choice and wherever no photo is.
QImage titlePicture(const QSize& size);
// The maker's mark: an "O" ring around a stylised road.
QImage makerLogo(const QSize& size);
// A loudspeaker sending waves towards a car: the sound-effects decoration.
QImage speakerPicture(const QSize& size);
// A road running to the horizon under a starry band: the song's decoration.
QImage roadPicture(const QSize& size);
// A film strip over `caption`: the movie window's picture before a film is open.
QImage moviePicture(const QSize& size, const QString& caption);
// The printer on a print button: designed 16 by 16, drawn `size` pixels square.
QPixmap printerPicture(int size = 16);
// A low two-tone coupe seen from the side: the booklet panel's car.
QImage carPicture(const QSize& size);
// A monitor showing a photo of the car line, with the next ones fanned behind it.
QImage saverPicture(const QSize& size);
// A camera over a strip of film: the photo window's decoration.
QImage cameraPicture(const QSize& size);
// A disc, an arrow and a drive: what the copy panel does, at a glance.
QImage discToDrivePicture(const QSize& size);

} // namespace kv
