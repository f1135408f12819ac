#pragma once

#include <QString>

#include <vector>

namespace kv {

struct AppContext;
class TopicChoice;

// Where a document comes from and what the viewer is called while it shows it.
struct CatalogueDocument
{
    QString folder;  // spelled as the catalogue spells it; matched without regard to case
    QString file;
    QString caption;
};

// The documents the year-dependent buttons open for a year or topic: its own files where its
// row names them, else the rules by caption.
CatalogueDocument descriptionDocument(const TopicChoice& topic);
CatalogueDocument colorsDocument(const TopicChoice& topic);
CatalogueDocument optionsDocument(const TopicChoice& topic);
CatalogueDocument modelsDocument(const TopicChoice& topic);
CatalogueDocument nostalgiaDocument(const TopicChoice& topic);

// Statistics: a per-photo detail text shown in rtbDetails, or a document for the viewer.
struct StatisticsDocument
{
    bool inDetailBox = false;
    CatalogueDocument document;
};
StatisticsDocument statisticsDocument(const TopicChoice& topic, int photoNumber);

// The documents of the menus, of the screen-saver panel's Help and the registration form, each
// with the error code its opener reports.
enum class MenuDocument
{
    AdsChecklist,
    JudgingOutline,
    Nomads,
    WallPaper,
    Introduction,
    Notice,
    Credits,
    Contributions,
    SaverHelp,
    Registration,
};
struct MenuDocumentEntry
{
    CatalogueDocument document;
    QString errCode;
};
const MenuDocumentEntry& menuDocument(MenuDocument which);

// Every document a button or menu entry of the catalogue can open, for every year and topic
// that has one, in the order of the catalogue's tables. A file may be named more than once.
std::vector<CatalogueDocument> catalogueDocuments();

// The numeric value of the leading digits of a caption, as the photo number reads.
int leadingNumber(const QString& caption);

// Buttons and menu entries of the main window.
void cmdDesc_Click(AppContext& c);
void cmdColors_Click(AppContext& c);
void cmdOptions_Click(AppContext& c);
void cmdStats_Click(AppContext& c);
void cmdModels_Click(AppContext& c);
void cmdNostalgia_Click(AppContext& c);
// The Help button of the screen-saver panel.
void SSCommand5_Click(AppContext& c);
void mnuMisc_Click(AppContext& c, int index);
void mnuWallPaper_Click(AppContext& c);
void mnuIntro_Click(AppContext& c);
void mnuNotice_Click(AppContext& c);
void mnuCredits_Click(AppContext& c);
void mnuContrib_Click(AppContext& c);
void rtbDetails_Click(AppContext& c);

} // namespace kv
