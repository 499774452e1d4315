#pragma once

#include "optionlist.h"

#include <QPoint>
#include <QString>

#include <array>

namespace sorvane {

// Every value the main window's option controls hold, under the controls'
// names (which are also the settings file's keys). The window shows it; the
// headless front end fills it from the settings file; the run reads it.
class OptionSet
{
public:
    // Fills the lists in their built order; no row is chosen anywhere.
    OptionSet();
    OptionSet(const OptionSet &) = delete;
    OptionSet &operator=(const OptionSet &) = delete;

    static constexpr int RangeFieldCount = 6;
    // Upper bound of each range field: hours 0-99, minutes and seconds 0-59.
    static constexpr std::array<int, RangeFieldCount> RangeFieldMaximum{99, 59, 59, 99, 59, 59};

    QPoint position{20, 20};          // main window's left and top
    OptionList C1_02;                 // destination mode
    QString C1_03;                    // destination folder
    OptionList C2_00;                 // presets
    OptionList C3_01;                 // format and codec
    OptionList C3_02;                 // bit rate
    OptionList C3_03;                 // sample rate
    OptionList C3_04;                 // channels
    OptionList C3_05;                 // volume
    bool C4_C1 = false;               // multithreaded encoding (CheckBox1)
    bool C4_C5 = false;               // time range on (CheckBox5)
    std::array<int, RangeFieldCount> C4_01{}; // range start h m s, range length h m s

    // The destination mode a run uses: a list without a chosen row counts as mode 0.
    int destinationMode() const;
};

// The row a run reads from an audio list: no chosen row counts as row 0,
// "keep what the source has".
int EffectiveRow(const OptionList &list);

} // namespace sorvane
