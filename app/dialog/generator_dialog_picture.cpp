// The dialog's picture of the selected system: the pane beside the tree and
// Export Picture.
#include <QAction>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>
#include <string>

#include "app/commands/dialog_actions.h"
#include "app/dialog/generator_dialog.h"
#include "app/panes/picture_pane.h"
#include "app/panes/result_tree_view.h"
#include "app/printing/picture_pdf.h"
#include "app/kit/user_prompts.h"

namespace nexmar {

namespace {

constexpr const char* kPictureFilter = "SVG Picture (*.svg);;PNG Image (*.png);;PDF Document (*.pdf)";
constexpr const char* kPictureSuffix = "svg";
// A PNG is drawn at twice the picture's own size, sharp enough to print.
constexpr double kPngScale = 2.0;

}  // namespace

void GeneratorDialog::BuildPicturePane()
{
    picture_ = new PicturePane(*client_, *treeView_, session_);
    actions_->Action("showPictureAction")->setCheckable(true);
    actions_->Action("showLegendAction")->setCheckable(true);
    connect(picture_, &PicturePane::SelectedSystemChanged, this, &GeneratorDialog::FollowSelection);
}

void GeneratorDialog::ShowPicture()
{
    const bool show = !picture_->IsShown();
    if (show && !isMaximized() && !isFullScreen()) {
        resize(width() + picture_->GrowthToShow(), height());
    }
    picture_->SetShown(show);
    actions_->Action("showPictureAction")->setChecked(show);
}

void GeneratorDialog::ShowLegend()
{
    const bool show = picture_->Legend() == PictureLegend::Without;
    picture_->SetLegend(show ? PictureLegend::Below : PictureLegend::Without);
    actions_->Action("showLegendAction")->setChecked(show);
}

void GeneratorDialog::ExportPicture()
{
    const std::optional<std::size_t> system = picture_->SelectedSystem();
    const std::string svg = system && session_.HasRun()
                                ? session_.SystemSvg(*system, picture_->Legend(), playerView_)
                                : std::string();
    if (svg.empty()) {
        prompts_.ShowMessage(this, QString::fromLatin1(kNoPictureToExport));
        return;
    }
    const QString name = AskSaveName(kPictureFilter, kPictureSuffix);
    if (name.isEmpty()) {
        return;
    }
    const QByteArray picture(svg.data(), static_cast<qsizetype>(svg.size()));
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("svg")) {
        WriteWhole(name, [&picture](QSaveFile& file) { return file.write(picture) == picture.size(); });
    } else if (suffix == QLatin1String("png")) {
        WriteWhole(name, [&picture](QSaveFile& file) { return SvgImage(picture, kPngScale).save(&file, "PNG"); });
    } else if (suffix == QLatin1String("pdf")) {
        WriteWhole(name, [&picture](QSaveFile& file) { return WritePicturePdf(picture, file); });
    } else {
        prompts_.ShowMessage(this, QString::fromLatin1(kPictureFormatRefused));
    }
}

}  // namespace nexmar
