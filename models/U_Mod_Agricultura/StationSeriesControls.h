#pragma once

class QFrame;
class QLabel;
class QToolButton;
class QWidget;
class SeriesOriginLabel;

// The agriculture window's way to the station import: a small button "Série a partir de
// estação…" (b_estacao) and the line that says where the series came from (l_origem_serie),
// on the heading row of the results panel, right of `before` (what already stands right of
// its heading) and above the series.
struct StationSeriesControls {
    QToolButton *button;
    SeriesOriginLabel *origin;
};

StationSeriesControls addStationSeriesControls(QFrame *panel, const QWidget *before);
