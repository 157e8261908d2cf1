#include "sizelist/CFrameSizeSelectRules.h"

#include "geometry/CoordinateLimit.h"
#include "framework/NumberText.h"

namespace {

// Half of a change, rounded away from zero: what the right (bottom) edge
// moves when the left (top) edge moves by the truncated other half.
int FarHalf(int d) {
    int sign = d < 0 ? -1 : 1;
    return (d + sign) / 2;
}

} // namespace

CFrameSizeSelectRules::ApplyPlan CFrameSizeSelectRules::PlanApply(bool positionGiven,
                                                                  const geometry::Rect& wantedRect,
                                                                  const geometry::Rect& windowRect,
                                                                  const geometry::Rect& holeRect,
                                                                  int minInnerWidth, int minInnerHeight) {
    const geometry::Rect wanted = geometry::ClampRect(wantedRect);
    const geometry::Rect window = geometry::ClampRect(windowRect);
    const geometry::Rect hole = geometry::ClampRect(holeRect);
    minInnerWidth = geometry::ClampCoordinate(minInnerWidth);
    minInnerHeight = geometry::ClampCoordinate(minInnerHeight);
    ApplyPlan plan;
    const int dW = wanted.Width() - hole.Width();
    const int dH = wanted.Height() - hole.Height();
    plan.chromeX = window.Width() - hole.Width();
    plan.chromeY = window.Height() - hole.Height();

    geometry::Rect& n = plan.window;
    if (positionGiven) {
        n.left = wanted.left - hole.left;
        n.top = wanted.top - hole.top;
        n.right = wanted.right + (window.Width() - hole.right);
        n.bottom = wanted.bottom + (window.Height() - hole.bottom);
    } else {
        n.left = window.left - dW / 2;
        n.right = window.right + FarHalf(dW);
        n.top = window.top - dH / 2;
        n.bottom = window.bottom + FarHalf(dH);
    }

    plan.minWidth = plan.chromeX + minInnerWidth;
    plan.minHeight = plan.chromeY + minInnerHeight;
    if (n.Width() < plan.minWidth)
        n.right = n.left + plan.minWidth;
    if (n.Height() < plan.minHeight)
        n.bottom = n.top + plan.minHeight;

    plan.adjust = !positionGiven;
    plan.defaultWidth = plan.chromeX + 400;
    plan.defaultHeight = plan.chromeY + 300;
    plan.offsetX = -(plan.chromeX / 2);
    plan.offsetY = -(plan.chromeX / 2);
    return plan;
}

std::u16string CFrameSizeSelectRules::CannotMoveText(const geometry::Rect& given, int chromeWidth) {
    const geometry::Rect window = geometry::ClampRect(given);
    const int chromeX = geometry::ClampCoordinate(chromeWidth);
    return u"x=" + NumberText::DecimalText(window.left + chromeX / 2) + u", y=" +
           NumberText::DecimalText(window.top + chromeX / 2) + u" へは移動できません。";
}

std::u16string_view CFrameSizeSelectRules::HelpText() {
    return u"★編集を開始するには各項目をダブルクリックしてください。\r\n"
           u"先頭に F "
           u"とある行は参照のみで編集出来ません。直接参照元ファイルをメモ帳などで開いて編集して下さい。"
           u"通常、ファイル参照は撮影した画像ファイルの保存場所、カレントディレクトリ、Frimlet2."
           u"exeが置かれている"
           u"フォルダ配下に「SelectSizeList.txt」ファイルを用意する事で行われます。\r\n"
           u"*1 F行の削除や移動は可能ですが保存はされません。\r\n"
           u"*2 場所やファイル名は設定により変更されている事があります。\r\n"
           u"*3 書式はエクスポートしたファイルを参考にして下さい。\r\n";
}

std::u16string CFrameSizeSelectRules::ComposeMessage(const std::u16string* text, bool withHelp) {
    if (!text)
        return std::u16string(HelpText());
    if (withHelp)
        return *text + u"\r\n" + std::u16string(HelpText());
    return *text;
}

std::u16string CFrameSizeSelectRules::ImportErrorText(std::u16string_view path,
                                                      std::u16string_view messages) {
    return u"■" + std::u16string(path) + u"\r\nのインポートでエラーが発生しました。\r\n" +
           std::u16string(messages);
}

std::u16string CFrameSizeSelectRules::ImportReadText(std::u16string_view path, int count) {
    return std::u16string(path) + u"\r\nファイルから " + NumberText::DecimalText(count) +
           u"件 読み込みました。";
}

std::u16string CFrameSizeSelectRules::ImportNoDataText(std::u16string_view path) {
    return std::u16string(path) + u"\r\nファイルから読み込みましたが、有効なデータがありませんでした。\r\n";
}

std::u16string_view CFrameSizeSelectRules::NothingToExportText() {
    return u"保存すべきデータがありません。";
}

std::u16string CFrameSizeSelectRules::ExportSavedText(std::u16string_view path, int count) {
    return std::u16string(path) + u"\r\nファイルに " + NumberText::DecimalText(count) +
           u"件 保存しました。\r\n";
}

std::u16string CFrameSizeSelectRules::ExportErrorText(std::u16string_view path,
                                                      std::u16string_view messages) {
    return std::u16string(path) + u"\r\nへのエクスポートでエラーが発生しました。\r\n" +
           std::u16string(messages);
}
