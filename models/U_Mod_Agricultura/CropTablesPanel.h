#pragma once

class QFrame;
class ResultGrid;

// The upper panel of the agriculture window: the crop table SG_Entrada (a row per class: its
// letter, the cultivation period, and length and Kc of each of four phases) and the parameter
// table SG_Param (a column per class: planting start, irrigated area, irrigation efficiency),
// each in its group box under its header lines.
struct CropTables {
    ResultGrid *entrada;
    ResultGrid *param;
};

// Lays the two tables and their captions out inside `panel`.
CropTables addCropTables(QFrame *panel);
