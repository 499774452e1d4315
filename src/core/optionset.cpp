#include "optionset.h"

#include "catalogue.h"

namespace sorvane {
namespace {

using Catalogue::LightGrey;
using Catalogue::PaleCyan;
using Catalogue::White;

} // namespace

OptionSet::OptionSet()
    : C1_02(QStringLiteral("C1_02"), 142, {{122, White}, {160, LightGrey}})
    , C2_00(QStringLiteral("C2_00"), 340,
            {{140, White}, {60, LightGrey}, {60, PaleCyan}, {60, PaleCyan}, {60, PaleCyan}, {60, PaleCyan}})
    , C3_01(QStringLiteral("C3_01"), 132, {{112, White}, {100, LightGrey}, {220, White}})
    , C3_02(QStringLiteral("C3_02"), 132, {{112, White}, {110, LightGrey}})
    , C3_03(QStringLiteral("C3_03"), 132, {{112, White}, {120, LightGrey}})
    , C3_04(QStringLiteral("C3_04"), 132, {{112, White}, {110, LightGrey}})
    , C3_05(QStringLiteral("C3_05"), 132, {{112, White}, {110, LightGrey}})
{
    Catalogue::FillDestinationModes(C1_02);
    Catalogue::FillPresetHeader(C2_00);
    Catalogue::FillFormats(C3_01);
    Catalogue::FillBitRates(C3_02);
    Catalogue::FillSampleRates(C3_03);
    Catalogue::FillChannels(C3_04);
    Catalogue::FillVolumes(C3_05);
}

int OptionSet::destinationMode() const
{
    return EffectiveRow(C1_02);
}

int EffectiveRow(const OptionList &list)
{
    return qMax(list.itemIndex(), 0);
}

} // namespace sorvane
