#include "catalogue.h"

namespace sorvane::Catalogue {
namespace {

void Append(OptionList &list, std::initializer_list<const char16_t *> rows)
{
    for (const char16_t *row : rows)
        list.appendRow(QString::fromUtf16(row));
}

} // namespace

const QString PresetHeaderRow = QStringLiteral("手動,[形式],[ﾁｬﾝﾈﾙ],[ｺｰﾃﾞｯｸ],[ｻﾝﾌﾟﾙﾚｰﾄ],[ﾋﾞｯﾄﾚｰﾄ]");

void FillDestinationModes(OptionList &list)
{
    Append(list, {
        u"変換元と同じﾌｫﾙﾀﾞ(別名),ﾌｧｲﾙ名が同じ場合は別名保存",
        u"変換元と同じﾌｫﾙﾀﾞ(上書),ﾌｧｲﾙ名が同じ場合は上書き保存",
        u"ﾌｫﾙﾀﾞ指定",
    });
}

void FillPresetHeader(OptionList &list)
{
    list.appendRow(PresetHeaderRow);
}

void FillFormats(OptionList &list)
{
    Append(list, {
        u"自動,元のﾌｧｲﾙ形式を維持",
        u"4XM,ADPCM_4XM,4X-IMA-ADPCM",
        u"AC3,AC3",
        u"AMR,LIBAMR_NB,AMR-NB",
        u"AMR,LIBAMR_WB,AMR-WB",
        u"AU,PCM_ALAW",
        u"AU,PCM_MULAW",
        u"FLAC,FLAC,FreeLosslessAudio",
        u"G726,G726,G.726-ADPCM",
        u"GSM,LIBGSM,GSM",
        u"GSM,LIBGSM_MS,GSM-MS",
        u"M4A,LIBFAAC,AAC(AdvancedAudio)",
        u"MP2,MP2,MP2(MPEG-AudioLayer2)",
        u"MP3,LIBMP3LAME,MP3(MPEG-AudioLayer3)",
        u"OGG,VORBIS,Ogg-Vorbis",
        u"ROQ,ROQ_DPCM",
        u"WAV,PCM_S8,WAVE-PCM(8bit)",
        u"WAV,PCM_S16BE,WAVE-PCM(16bit)",
        u"WAV,PCM_S16LE,WAVE-PCM(16bit)",
        u"WAV,PCM_S24BE,WAVE-PCM(24bit)",
        u"WAV,PCM_S24DAUD,WAVE-PCM(24bit)",
        u"WAV,PCM_S24LE,WAVE-PCM(24bit)",
        u"WAV,PCM_S32BE,WAVE-PCM(32bit)",
        u"WAV,PCM_S32LE,WAVE-PCM(32bit)",
        u"WAV,PCM_U8,WAVE-PCM(8bit)",
        u"WAV,PCM_U16BE,WAVE-PCM(16bit)",
        u"WAV,PCM_U16LE,WAVE-PCM(16bit)",
        u"WAV,PCM_U24BE,WAVE-PCM(24bit)",
        u"WAV,PCM_U24LE,WAVE-PCM(24bit)",
        u"WAV,PCM_U32BE,WAVE-PCM(32bit)",
        u"WAV,PCM_U32LE,WAVE-PCM(32bit)",
        u"WAV,PCM_ZORK,WAVE-PCM(ZORK)",
        u"WMA,WMAV1,WindowsMediaAudio1",
        u"WMA,WMAV2,WindowsMediaAudio2",
        u"XA,ADPCM_XA,CDROM-XA-ADPCM",
    });
}

void FillBitRates(OptionList &list)
{
    Append(list, {
        u"自動,元のｻﾝﾌﾟﾙﾋﾞｯﾄを維持",
        u"16kbps", u"20kbps", u"24kbps", u"28kbps", u"32kbps", u"40kbps",
        u"48kbps", u"56kbps", u"64kbps", u"80kbps", u"96kbps", u"112kbps",
        u"128kbps", u"160kbps", u"192kbps", u"224kbps", u"256kbps", u"320kbps",
    });
}

void FillSampleRates(OptionList &list)
{
    Append(list, {
        u"自動,元のｻﾝﾌﾟﾘﾝｸﾞﾚｰﾄを維持",
        u"8000Hz", u"11025Hz", u"16000Hz", u"22050Hz", u"24000Hz",
        u"32000Hz", u"41000Hz", u"44100Hz", u"48000Hz",
    });
}

void FillChannels(OptionList &list)
{
    Append(list, {
        u"自動,元のﾁｬﾝﾈﾙ数を維持",
        u"1,ﾓﾉﾗﾙ",
        u"2,ｽﾃﾚｵ",
    });
}

void FillVolumes(OptionList &list)
{
    Append(list, {
        u"自動,元のﾎﾞﾘｭｰﾑを維持",
        u"128,0.5倍",
        u"192,0.75倍",
        u"320,1.25倍",
        u"384,1.5倍",
        u"512,2.0倍",
        u"640,2.5倍",
        u"768,3.0倍",
    });
}

} // namespace sorvane::Catalogue
