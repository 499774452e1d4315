#pragma once

#include "optionlist.h"

namespace sorvane {

// The fixed content of the option lists. Row order is stored data: the settings
// file keeps row indexes, so rows are never moved or removed.
namespace Catalogue {

constexpr quint32 White = 0xFFFFFF;
constexpr quint32 LightGrey = 0xF0F0F0;
constexpr quint32 PaleCyan = 0xC4FFFF;

extern const QString PresetHeaderRow; // row 0 of C2_00

void FillDestinationModes(OptionList &list); // C1_02
void FillPresetHeader(OptionList &list);     // C2_00, its fixed first row
void FillFormats(OptionList &list);          // C3_01
void FillBitRates(OptionList &list);         // C3_02
void FillSampleRates(OptionList &list);      // C3_03
void FillChannels(OptionList &list);         // C3_04
void FillVolumes(OptionList &list);          // C3_05

} // namespace Catalogue
} // namespace sorvane
