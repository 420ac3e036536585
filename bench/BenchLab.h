#pragma once

#include <memory>
#include <QApplication>

#include "designer/KxLab.h"
#include "label/KxFrame.h"
#include "label/KxGrid.h"
#include "label/KxMeasure.h"

/// A shown 1000 x 700 designer with a 90 x 60 mm label, a double frame and the grid, no elements.
inline std::unique_ptr<TKxLab> MakeBenchLab() {
    auto lab = std::make_unique<TKxLab>();
    lab->resize(1000, 700);
    lab->show();
    QApplication::processEvents();
    lab->GetMeasure()->SetWidth(90.0f);
    lab->GetMeasure()->SetHeight(60.0f);
    lab->GetFrame()->SetStyle(fsDoble);
    lab->GetGrid()->SetShow(true);
    return lab;
}
