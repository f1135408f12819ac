#pragma once

#include <QDialog>
#include "platform/image_loader.h"

#include <QImage>

#include <atomic>
#include <memory>

class QLabel;
class QPushButton;
class QScrollBar;

namespace kv {

struct AppContext;
class PageChild;
class PageOverview;
class PictureReadAhead;
class SpinButton;

// The brochure and advertisement page viewer: one page at full size with scroll bars, or (for
// advertisements) the whole page stretched as an overview. A fresh viewer is made for every
// opening; PageIndex, PageCount and BrochureMode live in AppState.
class FrmScroll : public QDialog
{
    Q_OBJECT
public:
    // With a parent it is a dialog over it (the modal advertisement viewer); without, a window
    // of its own that the window manager raises and minimises apart from the main window.
    explicit FrmScroll(AppContext& context, QWidget* parent = nullptr);
    ~FrmScroll() override;

    QWidget* picParent = nullptr;
    PageChild* picChild = nullptr;
    PageOverview* Image1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    SpinButton* SpinButton1 = nullptr;
    QLabel* Text1 = nullptr;
    QPushButton* sscommand1 = nullptr;

    // Opening: as large as the screen, page and viewport hidden, the page at its top-left.
    void prepare();
    // The first page into the page and the overview; false when it cannot be read.
    bool loadFirstPage(const QString& path);
    // The overview 620 wide and as high as the viewport, where the page starts.
    void placeOverview();
    // Shows the viewport, the page and both scroll bars.
    void showPageView();
    // "PageIndex + 1 of PageCount".
    void setLabel();
    // Starts decoding the page the next forward step will show.
    void readAhead();
    // Off only to measure paging without it.
    bool readAheadEnabled = true;

    void SpinUp();
    void SpinDown();
    void layoutPass();
    void pageFit();
    void Image1_Click();
    void picChild_Click();
    void sscommand1_Click();
    // A character typed while the close button, or any other control of the viewer, has the focus.
    void sscommand1_KeyPress(const QString& text);

signals:
    void pagePainted();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    // Tries page `index`: a picture that loads becomes the page; index 0 is accepted even so.
    bool tryCandidate(int index);
    void setPage(const QImage& page, const QImage& overview = {});
    // The page in the resolved file `real`, with the overview's copy when the read-ahead made one.
    DisplayPicture takePage(const QString& real);
    // Pages are read at the window's layout scale times its pixel ratio, so that the page view
    // copies pixels as they are.
    double pageFactor() const;
    // The page shown, read again at the present pageFactor().
    void rereadPage();
    void finishPaging();
    void syncScrollBars();
    void fitBar(QScrollBar* bar, int page, int view);
    bool scrollByKey(int key);

    // The page the next forward step will show, read on a worker thread; taken only while the
    // file and the overview's size are as they were.
    PictureReadAhead* m_ahead = nullptr;
    bool m_aheadWanted = false;
    // The size the overview's copy of a page is made at: none while the overview is hidden.
    QSize overviewBox() const;
    // The scale the read-ahead thread reads at, kept by the viewer's thread.
    std::shared_ptr<std::atomic<double>> m_readScale = std::make_shared<std::atomic<double>>(1.0);
    // The page shown, resolved, and the factor it was read at.
    QString m_shownPage;
    double m_pageFactor = 1.0;
    // The year the viewer was opened for: the brochure viewer stays open while another is chosen.
    QString m_code;
    AppContext& m_context;
};

// The main window's "Brochures" and "Ads" buttons.
void cmdBrochure_Click(AppContext& c);
void cmdAd_Click(AppContext& c);
// Loads the first advertisement page into c.frmScroll and shows it modally, or says "Ad not found.".
void OpenAdViewer(AppContext& c);

} // namespace kv
