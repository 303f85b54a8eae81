// SPDX-License-Identifier: MIT
#include "TypeLibrary.h"

namespace {

constexpr int32_t GetLet = VPB_INVOKE_GET | VPB_INVOKE_PUT;

// In slot order.
const VpbMemberInfo Members[] = {
    {"FwColor", VPB_DISPID_FWCOLOR, GetLet, "cColor", "OLE_COLOR", "グラフの色をRGBカラーで指定します。"},
    {"Minimum", VPB_DISPID_MINIMUM, GetLet, "nMin", "Long", "グラフの最小値を設定します"},
    {"Maximum", VPB_DISPID_MAXIMUM, GetLet, "nMax", "Long", "グラフの最大値を設定します"},
    {"StringType", VPB_DISPID_STRINGTYPE, GetLet, "nStype", "StringTypeConstants",
     "グラフの中に表示する文字列の種類を指定します（StringTypeConstantsを参照）。"},
    {"Text", VPB_DISPID_TEXT, GetLet, "sTxt", "String",
     "StringTypeがstypeFreeStringのとき、表示させる文字列を指定します。"},
    {"Step", VPB_DISPID_STEP, GetLet, "nStp", "Long", "CountUpメソッド実行時に加算する値を指定します。"},
    {"Font", VPB_DISPID_FONT, VPB_INVOKE_GET | VPB_INVOKE_PUTREF, "sFont", "StdFont",
     "文字のフォントを指定します。"},
    {"Value", VPB_DISPID_VALUE, GetLet, "nVal", "Long", "現在の値を指定します。"},
    {"CountUp", VPB_DISPID_COUNTUP, VPB_INVOKE_METHOD, "", "",
     "StepプロパティぶんValueプロパティを加算します。"},
};

const VpbEnumMember StringTypes[] = {
    {"stypeNone", VPB_STYPE_NONE, "stypeNone"},
    {"stypePercent", VPB_STYPE_PERCENT, "stypePercent"},
    {"stypeFraction", VPB_STYPE_FRACTION, "stypeFraction"},
    {"stypeValue", VPB_STYPE_VALUE, "stypeValue"},
    {"stypeFreeString", VPB_STYPE_FREESTRING, "stypeFreeString"},
};

const VpbTypeLibrary Library = {
    "VelPrgBar",
    "VelPrgBar 文字列表示付きプログレスバー コントロール ライブラリ",
    "VelProgressBar",
    "_VelProgressBar",
    "__VelProgressBar",
    int32_t(sizeof Members / sizeof Members[0]),
    Members,
    "StringTypeConstants",
    int32_t(sizeof StringTypes / sizeof StringTypes[0]),
    StringTypes,
};

} // namespace

const VpbTypeLibrary* velTypeLibrary()
{
    return &Library;
}
