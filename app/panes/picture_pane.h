#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QSvgRenderer>
#include <QWidget>

#include <cstddef>
#include <optional>

#include "picture/system_picture.h"

class QLabel;
class QSplitter;
class QTreeView;

namespace nexmar {

class RunSession;

// An SVG document rendered at scale times its view box, on white, as a
// picture handed out on paper would be.
QImage SvgImage(const QByteArray& svg, double scale);

// Draws one SVG document, keeping its proportions, centred; without a
// document it says how to get one. Unzoomed, the picture is as large as the
// scroll area around it allows, but never so small that its labels come out
// under 8 pixels: it then grows past the area, which scrolls.
class SystemPictureView final : public QWidget {
public:
    explicit SystemPictureView(QWidget* parent = nullptr);
    void Show(QByteArray svg);
    // The very bytes drawn: empty when none.
    const QByteArray& Svg() const { return svg_; }
    QSize sizeHint() const override;

    void ZoomIn();
    void ZoomOut();
    // Back to the size the area allows.
    void ZoomToFit();
    // Pixels a unit of the picture.
    double Scale() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // As large as the picture at its scale, so that the area around scrolls to all of it.
    void FollowScale();

    QByteArray svg_;
    QSvgRenderer renderer_;
    double zoom_ = 0;  // 0: as large as the area allows
};

// The result tree's place in the dialog, which the picture of the selected
// system and other panes (the notes, the overview) share when shown: with none shown,
// the tree holds its place alone, as it always has; with some shown, a
// splitter holds the tree and them, the picture taking whatever room the
// window gains and every other pane about the width it asks for.
class PicturePane final : public QObject {
    Q_OBJECT

public:
    // tree: a child of client, already given its model. Starts hidden.
    PicturePane(QWidget& client, QTreeView& tree, const RunSession& session);

    // Where the tree, or the tree and the panes shown, lie in the client area.
    void Place(const QRect& place);
    // The picture.
    bool IsShown() const;
    void SetShown(bool shown);
    // How much wider the place must grow for the picture to have as much
    // room as the tree had when the dialog opened.
    int GrowthToShow() const;
    // Another pane, after the picture; hidden until shown.
    void AddPane(QWidget& pane);
    void ShowPane(QWidget& pane, bool shown);
    bool IsPaneShown(const QWidget& pane) const { return !pane.isHidden(); }
    // How much wider the place must grow for pane to have its room beside
    // what is shown already.
    int GrowthToShow(const QWidget& pane) const;

    // The place (from 0, its row in the whole tree, whatever the find field
    // keeps) of the system holding the tree's current item; none for none.
    std::optional<std::size_t> SelectedSystem() const { return selected_; }
    const SystemPictureView& View() const { return *view_; }
    // Draws the players' picture (as nexmar-cli --player does), or the referee's.
    void ShowToPlayers(bool players)
    {
        players_ = players;
        Redraw();
    }
    // Draws the selected system again, as its records now say.
    void Redraw()
    {
        if (IsShown()) {
            Draw();
        }
    }
    // Draws the selected system again while it is drawn for the players,
    // to whom what they may see of it changed.
    void RedrawForPlayers()
    {
        if (players_) {
            Redraw();
        }
    }
    // Whether the picture, and so Export Picture, carries the legend of its
    // shapes and zone colours under it.
    PictureLegend Legend() const { return legend_; }
    void SetLegend(PictureLegend legend)
    {
        legend_ = legend;
        Redraw();
    }

signals:
    // The tree's current item moved to another system, or to none.
    void SelectedSystemChanged();

private:
    // anotherRun: the tree now shows another run, where even the same place
    // is another system.
    void FollowTree(bool anotherRun);
    void Draw();
    bool AnyPaneShown() const;
    // The room each pane's width asks for: the tree's and the picture's as
    // the tree had when the dialog opened, another pane's its size hint.
    int WantedWidth(const QWidget& pane) const;
    // Shares the place among the tree and the panes shown.
    void Arrange();

    QWidget& client_;
    QTreeView& tree_;
    const RunSession& session_;
    QSplitter* splitter_ = nullptr;
    QWidget* box_ = nullptr;  // the title above the picture's scroll area: the pane
    QLabel* title_ = nullptr;
    SystemPictureView* view_ = nullptr;
    QRect place_;
    int treeOpeningWidth_ = 0;
    std::optional<std::size_t> selected_;
    bool players_ = false;
    PictureLegend legend_ = PictureLegend::Without;
};

}  // namespace nexmar
