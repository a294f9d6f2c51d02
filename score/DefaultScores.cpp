#include "score/DefaultScores.h"

namespace {

// The built-in reference rows: a ladder of computing devices from the simplest counting tool to
// the largest machines, with powers rising strictly. Labels are Shift-JIS, at most 31 bytes.
// clang-format off
constexpr DefaultScore kDefaults[kDefaultScoreCount] = {
    {"\x90\x94\x82\xA6\x96_",                                                20.0},            //  0: 数え棒
    {"\x8C\x8B\x82\xD1\x93\xEA",                                             125.0},           //  1: 結び縄
    {"\x82\xBB\x82\xEB\x82\xCE\x82\xF1",                                     130.0},           //  2: そろばん
    {"\x8Cv\x8EZ\x8E\xDA",                                                   150.0},           //  3: 計算尺
    {"\x8E\x95\x8E\xD4\x8E\xAE\x8Cv\x8EZ\x8B@",                              170.0},           //  4: 歯車式計算機
    {"\x8E\xE8\x89\xF1\x82\xB5\x8Cv\x8EZ\x8B@",                              210.0},           //  5: 手回し計算機
    {"\x93\x64\x93\xAE\x8Cv\x8EZ\x8B@",                                      260.0},           //  6: 電動計算機
    {"\x83\x8A\x83\x8C\x81[\x8E\xAE\x8Cv\x8EZ\x8B@",                         300.0},           //  7: リレー式計算機
    {"\x90^\x8B\xF3\x8A\xC7\x8Cv\x8EZ\x8B@",                                 1200.0},          //  8: 真空管計算機
    {"\x83g\x83\x89\x83\x93\x83W\x83X\x83^\x8Cv\x8EZ\x8B@",                  1500.0},          //  9: トランジスタ計算機
    {"\x93\x64\x91\xEC",                                                     4000.0},          // 10: 電卓
    {"\x8A\xD6\x90\x94\x93\x64\x91\xEC",                                     8000.0},          // 11: 関数電卓
    {"\x83v\x83\x8D\x83O\x83\x89\x83\x80\x93\x64\x91\xEC",                   10000.0},         // 12: プログラム電卓
    {"\x83|\x83P\x83\x62\x83g\x83R\x83\x93\x83s\x83\x85\x81[\x83^",          12000.0},         // 13: ポケットコンピュータ
    {"8\x83r\x83\x62\x83g\x83p\x83\\\x83R\x83\x93",                          14000.0},         // 14: 8ビットパソコン
    {"16\x83r\x83\x62\x83g\x83p\x83\\\x83R\x83\x93",                         18000.0},         // 15: 16ビットパソコン
    {"\x89\xC6\x92\xEB\x97p\x83Q\x81[\x83\x80\x8B@",                         22000.0},         // 16: 家庭用ゲーム機
    {"32\x83r\x83\x62\x83g\x83p\x83\\\x83R\x83\x93",                         26000.0},         // 17: 32ビットパソコン
    {"\x8Cg\x91\xD1\x83Q\x81[\x83\x80\x8B@",                                 30000.0},         // 18: 携帯ゲーム機
    {"\x83\x8F\x81[\x83N\x83X\x83\x65\x81[\x83V\x83\x87\x83\x93",            50000.0},         // 19: ワークステーション
    {"\x83m\x81[\x83g\x83p\x83\\\x83R\x83\x93",                              80000.0},         // 20: ノートパソコン
    {"\x8Cg\x91\xD1\x93\x64\x98\x62",                                        100000.0},        // 21: 携帯電話
    {"\x83\x66\x83X\x83N\x83g\x83\x62\x83v\x83p\x83\\\x83R\x83\x93",         120000.0},        // 22: デスクトップパソコン
    {"\x83X\x83}\x81[\x83g\x83t\x83H\x83\x93",                               530000.0},        // 23: スマートフォン
    {"\x83^\x83u\x83\x8C\x83\x62\x83g\x92[\x96\x96",                         1200000.0},       // 24: タブレット端末
    {"\x8D\x82\x90\xAB\x94\\\x83p\x83\\\x83R\x83\x93",                       3000000.0},       // 25: 高性能パソコン
    {"\x83}\x83\x8B\x83`\x83R\x83\x41\x83T\x81[\x83o",                       5000000.0},       // 26: マルチコアサーバ
    {"\x83u\x83\x8C\x81[\x83h\x83T\x81[\x83o",                               60000000.0},      // 27: ブレードサーバ
    {"GPU\x8Cv\x8EZ\x83m\x81[\x83h",                                         120000000.0},     // 28: GPU計算ノード
    {"\x8Cv\x8EZ\x83N\x83\x89\x83X\x83^",                                    200000000.0},     // 29: 計算クラスタ
    {"\x91\xE5\x8BK\x96\xCD\x83N\x83\x89\x83X\x83^",                         230000000.0},     // 30: 大規模クラスタ
    {"\x83\x66\x81[\x83^\x83Z\x83\x93\x83^\x81[",                            800000000.0},     // 31: データセンター
    {"\x83x\x83N\x83g\x83\x8B\x8C^\x83X\x83p\x83R\x83\x93",                  2000000000.0},    // 32: ベクトル型スパコン
    {"\x92\xB4\x95\xC0\x97\xF1\x8Cv\x8EZ\x8B@",                              2500000000.0},    // 33: 超並列計算機
    {"\x8D\x91\x97\xA7\x8C\xA4\x8B\x86\x8F\x8A\x83X\x83p\x83R\x83\x93",      3000000000.0},    // 34: 国立研究所スパコン
    {"\x83y\x83^\x8BK\x96\xCD\x83X\x83p\x83R\x83\x93",                       6000000000.0},    // 35: ペタ規模スパコン
    {"10\x83y\x83^\x8BK\x96\xCD\x83X\x83p\x83R\x83\x93",                     15000000000.0},   // 36: 10ペタ規模スパコン
    {"\x83G\x83N\x83T\x8BK\x96\xCD\x83X\x83p\x83R\x83\x93",                  25000000000.0},   // 37: エクサ規模スパコン
    {"\x97\xCA\x8Eq\x83R\x83\x93\x83s\x83\x85\x81[\x83^",                    30000000000.0},   // 38: 量子コンピュータ
    {"\x98\x66\x90\xAF\x8BK\x96\xCD\x8Cv\x8EZ\x96\xD4",                      120000000000.0},  // 39: 惑星規模計算網
    {"\x8B\xE2\x89\xCD\x8BK\x96\xCD\x8Cv\x8EZ\x8B@",                         200000000000.0},  // 40: 銀河規模計算機
};
// clang-format on

}  // namespace

std::span<const DefaultScore, kDefaultScoreCount> DefaultScores() {
    return kDefaults;
}
