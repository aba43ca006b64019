#include "sheet/winding_sheet.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "sheet/sheet_cross_section.h"
#include "sheet/sheet_page.h"
#include "sheet/sheet_schematic.h"
#include "sheet/sheet_text.h"
#include "sheet/sheet_words.h"
#include "sheet/winding_sheet_adapter.h"
#include "widgets/save_file.h"

using namespace quillmere;

namespace {

using namespace sheet_words;

constexpr double kLeft = SheetPage::kMargin;
constexpr double kWidth = SheetPage::kContentWidth;
constexpr double kGutter = 5;  // mm between side-by-side blocks

QString symbolText(const SheetWinding& w) {
    return roleName(w.role) + QLatin1Char(' ') + QString::fromStdString(w.symbol);
}

QString title() {
    return WindingSheet::tr("变压器绕组规格书");
}

double paintTitle(SheetPage& page, const SheetTitle& t, double y) {
    page.setFont(16, true);
    page.text(QRectF(kLeft, y, 95, 9), title(), Qt::AlignLeft);
    page.setFont(8.5);
    const QString name =
        t.designName.empty() ? WindingSheet::tr("未命名") : QString::fromStdString(t.designName);
    page.text(QRectF(kLeft, y + 9.5, 95, 4.5),
              WindingSheet::tr("设计文件：%1　　解法 No. %2").arg(name).arg(t.solutionRank), Qt::AlignLeft);
    const auto orDash = [](const std::string& s) {
        return s.empty() ? QStringLiteral("") : QString::fromStdString(s);
    };
    page.table(
        kLeft + 100, y, {20, 30, 20, 10},
        {{WindingSheet::tr("日期"), QString::fromStdString(t.date), WindingSheet::tr("版本"),
          QString::fromStdString(t.revision)},
         {WindingSheet::tr("绘制"), orDash(t.drawnBy), WindingSheet::tr("页"), QStringLiteral("1 / 1")},
         {WindingSheet::tr("审核"), orDash(t.checkedBy), QString(), QString()}},
        false);
    page.line(kLeft, y + 15.5, kLeft + kWidth, y + 15.5, 0.4);
    return 17;
}

double paintCore(SheetPage& page, const WindingSheetContent& c, double x, double y, double width) {
    const SheetCore& core = c.core;
    double h = page.heading(x, y, width, WindingSheet::tr("磁芯与骨架"));
    const QString al = WindingSheet::tr("%1 ± %2 %（按此研磨气隙）")
                           .arg(withUnit(core.inductanceFactor, "nH/N²"), number(core.alTolerance));
    const QString gap = WindingSheet::tr("%1（参考）；垫片法：垫片厚 %2")
                            .arg(withUnit(core.centreGap, "mm"), withUnit(core.centreGap / 2, "mm"));
    // A gap the bobbin and its pin count share is said once.
    const QString bobbin =
        !core.pinCount && !core.bobbin.text && core.pinCountGap == core.bobbin.gap
            ? gapText(core.bobbin.gap)
            : name(core.bobbin) + QStringLiteral(" / ") +
                  (core.pinCount ? QString::number(*core.pinCount) : gapText(core.pinCountGap));
    const std::vector<QStringList> rows = {
        {WindingSheet::tr("磁芯型号"), name(core.coreName)},
        {WindingSheet::tr("磁芯材质"), name(core.material)},
        {WindingSheet::tr("骨架 / 脚数"), bobbin},
        {WindingSheet::tr("有效截面积 Ae"), withUnit(core.effectiveArea, "mm²")},
        {WindingSheet::tr("骨架槽"),
         WindingSheet::tr("宽 %1 × 深 %2")
             .arg(withUnit(core.slotWidth, "mm"), withUnit(core.slotDepth, "mm"))},
        {WindingSheet::tr("电感系数 AL"), al},
        {WindingSheet::tr("中柱气隙 lg"), gap},
        {WindingSheet::tr("修正气隙（边缘磁通、磁芯磁阻）"), figure(core.correctedGap, "mm")},
        {WindingSheet::tr("储能 ½·Lp·Ipk²"), withUnit(core.storedEnergy, "µJ")},
    };
    h += page.table(x, y + h, {width * 0.4, width * 0.6}, rows, false);
    page.setFont(6.5);
    h += 0.5 + page.paragraph(
                   x, y + h + 0.5, width,
                   WindingSheet::tr("AL = Lp / Np²（Np = %1）；lg = µ0·Np²·Ae / Lp，未计边缘磁通与磁芯磁阻。")
                       .arg(turns(static_cast<int>(core.primaryTurns + 0.5))),
                   QColor(70, 70, 70));
    return h + 1;
}

QString wireText(const SheetWinding& w) {
    QString s = WindingSheet::tr("Ø%1 1级漆包线").arg(withUnit(w.bareDiameter, "mm"));
    if (w.strands != 1) s += WindingSheet::tr(" × %1 股并绕").arg(number(w.strands));
    return s;
}

double paintWindings(SheetPage& page, const WindingSheetContent& c, double y) {
    double h = page.heading(kLeft, y, kWidth, WindingSheet::tr("绕线说明（自骨架向外）"));
    std::vector<QStringList> rows = {{WindingSheet::tr("序"), WindingSheet::tr("绕组"),
                                      WindingSheet::tr("起脚→止脚"), WindingSheet::tr("匝数"),
                                      WindingSheet::tr("线材"), WindingSheet::tr("每层匝数"),
                                      WindingSheet::tr("层数"), WindingSheet::tr("末层匝数"),
                                      WindingSheet::tr("绕法"), WindingSheet::tr("其上胶带")}};
    int order = 0;
    for (const SheetWinding& w : c.windings) {
        rows.push_back(
            {QString::number(++order), symbolText(w),
             QStringLiteral("%1 → %2").arg(w.startPin).arg(w.finishPin), QString::number(w.turns),
             wireText(w), QString::number(w.turnsPerLayer), QString::number(w.layers),
             QString::number(w.lastLayerTurns), WindingSheet::tr("同向，均匀排满槽宽"),
             WindingSheet::tr("%1 层 × %2").arg(number(w.tapeLayers), withUnit(w.tapeThickness, "mm"))});
    }
    h += page.table(kLeft, y + h, {7, 27, 17, 11, 33, 14, 11, 14, 26, 20}, rows, true);
    QStringList notes;
    notes << WindingSheet::tr(
                 "胶带：聚酯胶带，宽 %1（= 槽宽），绕满一周以上。末层匝数少于每层匝数时均匀分布于整个槽宽。")
                 .arg(withUnit(c.tapeWidth, "mm"));
    if (c.crossSection.margin > 0)
        notes << WindingSheet::tr("两侧挡墙胶带：各宽 %1，高度与绕组同高。")
                     .arg(withUnit(c.crossSection.margin, "mm"));
    for (const std::string& symbol : c.notWound)
        notes << WindingSheet::tr("%1 为 0 匝：不绕制，也不加胶带。").arg(QString::fromStdString(symbol));
    page.setFont(6.8);
    for (const QString& note : notes)
        h += 0.4 + page.paragraph(kLeft, y + h + 0.4, kWidth, note, QColor(60, 60, 60));
    return h + 1;
}

double paintMaterials(SheetPage& page, const WindingSheetContent& c, double x, double y, double width) {
    double h = page.heading(x, y, width, WindingSheet::tr("材料清单"));
    std::vector<QStringList> rows = {
        {WindingSheet::tr("磁芯"),
         (c.core.coreName.text || c.core.material.text
              ? name(c.core.coreName) + QLatin1Char(' ') + name(c.core.material)
              : name(c.core.coreName)) +
             WindingSheet::tr("（Ae %1）").arg(withUnit(c.core.effectiveArea, "mm²"))},
        {WindingSheet::tr("骨架"),
         name(c.core.bobbin) + WindingSheet::tr("（槽 %1 × %2）")
                                   .arg(withUnit(c.core.slotWidth, "mm"), withUnit(c.core.slotDepth, "mm"))},
    };
    for (const SheetWire& wire : c.wires)
        rows.push_back({WindingSheet::tr("漆包线"),
                        WindingSheet::tr("Ø%1 1级漆包铜线，外径 ≤ %2")
                            .arg(withUnit(wire.bareDiameter, "mm"), withUnit(wire.outerDiameter, "mm"))});
    rows.push_back({WindingSheet::tr("绝缘胶带"),
                    WindingSheet::tr("聚酯胶带，厚 %1，宽 %2")
                        .arg(withUnit(c.tapeThickness, "mm"), withUnit(c.tapeWidth, "mm"))});
    if (c.crossSection.margin > 0)
        rows.push_back({WindingSheet::tr("挡墙胶带"),
                        WindingSheet::tr("宽 %1").arg(withUnit(c.crossSection.margin, "mm"))});
    rows.push_back({WindingSheet::tr("浸渍漆"), WindingSheet::tr("绝缘浸渍漆（按客户要求）")});
    h += page.table(x, y + h, {width * 0.27, width * 0.73}, rows, false);

    h += 1 + page.heading(x, y + h + 1, width, WindingSheet::tr("损耗与温升"));
    std::vector<QStringList> lossRows = {{WindingSheet::tr("磁芯损耗"), figure(c.losses.coreLoss, "W")},
                                         {WindingSheet::tr("铜损"), figure(c.losses.copperLoss, "W")},
                                         {WindingSheet::tr("温升"), figure(c.losses.temperatureRise, "K")}};
    if (c.losses.auxiliaryCurrentZero)
        lossRows.push_back({WindingSheet::tr("说明"), WindingSheet::tr("辅助绕组电流按零计")});
    h += page.table(x, y + h, {width * 0.27, width * 0.73}, lossRows, false);
    return h;
}

double paintTests(SheetPage& page, const WindingSheetContent& c, double y) {
    const SheetTests& t = c.tests;
    double h = page.heading(kLeft, y, kWidth, WindingSheet::tr("电气测试"));
    const QString primaryPins = pinSpan(t.primaryStartPin, t.primaryFinishPin);
    const QString bridge =
        WindingSheet::tr("%1，%2").arg(withUnit(t.testFrequency, "kHz"), withUnit(t.testVoltage, "V"));
    std::vector<QStringList> rows = {
        {WindingSheet::tr("项目"), WindingSheet::tr("条件"), WindingSheet::tr("要求")},
        {WindingSheet::tr("初级电感 Lp"),
         WindingSheet::tr("脚 %1，%2，其余绕组开路").arg(primaryPins, bridge),
         QStringLiteral("%1 ± %2 %").arg(withUnit(t.inductance, "µH"), number(t.inductanceTolerance))},
        {WindingSheet::tr("漏感"), WindingSheet::tr("脚 %1，%2，次级与反馈绕组短路").arg(primaryPins, bridge),
         WindingSheet::tr("≤ %1（Lp 的 %2 %）")
             .arg(withUnit(t.leakageLimit, "µH"), number(t.leakagePercent))},
    };
    for (const SheetWinding& w : c.windings) {
        const QString value =
            w.resistance.value ? QStringLiteral("%1 ± %2 %")
                                     .arg(withUnit(*w.resistance.value, "Ω"), number(t.resistanceTolerance))
                               : gapText(w.resistance.gap);
        rows.push_back({WindingSheet::tr("直流电阻 %1").arg(QString::fromStdString(w.symbol)),
                        WindingSheet::tr("脚 %1，20 °C").arg(pinSpan(w.startPin, w.finishPin)), value});
    }
    for (const SheetTurnsRatio& r : t.ratios) {
        const double ratio = r.toTurns > 0 ? static_cast<double>(r.fromTurns) / r.toTurns : 0;
        rows.push_back(
            {WindingSheet::tr("匝比 %1 : %2")
                 .arg(QString::fromStdString(r.from), QString::fromStdString(r.to)),
             WindingSheet::tr("起绕端 %1 与 %2 同名（同相）").arg(r.fromStartPin).arg(r.toStartPin),
             QStringLiteral("%1 : %2 (%3 : 1)").arg(r.fromTurns).arg(r.toTurns).arg(number(ratio))});
    }
    const QString duration = withUnit(t.hipotDuration, "s");
    rows.push_back({WindingSheet::tr("耐压 初级–次级"),
                    WindingSheet::tr("%1，%2").arg(withUnit(t.hipotPrimarySecondary, "V AC"), duration),
                    WindingSheet::tr("无击穿、无飞弧")});
    rows.push_back({WindingSheet::tr("耐压 初级–磁芯"),
                    WindingSheet::tr("%1，%2").arg(withUnit(t.hipotPrimaryCore, "V AC"), duration),
                    WindingSheet::tr("无击穿、无飞弧")});
    rows.push_back({WindingSheet::tr("绝缘电阻"),
                    WindingSheet::tr("%1，初级–次级、初级–磁芯").arg(withUnit(t.insulationVoltage, "V DC")),
                    QStringLiteral("≥ %1").arg(withUnit(t.insulationMinimum, "MΩ"))});
    h += page.table(kLeft, y + h, {40, 80, 60}, rows, true);
    return h + 1;
}

double paintConditions(SheetPage& page, const WindingSheetContent& c, double y) {
    const SheetConditions& d = c.conditions;
    const SheetOperatingPoint& o = c.operatingPoint;
    double h = page.heading(kLeft, y, kWidth, WindingSheet::tr("设计条件与工作点（参考）"));
    const QString controller = d.controller == "PSR通用" ? WindingSheet::tr("PSR通用")
                               : d.controller == "----" || d.controller.empty()
                                   ? QStringLiteral("—")
                                   : QString::fromStdString(d.controller);
    const std::vector<double> widths = {27, 18, 27, 18, 27, 18, 27, 18};
    h += page.table(
        kLeft, y + h, widths,
        {{WindingSheet::tr("输入电压"),
          QStringLiteral("%1–%2").arg(number(d.minInputVac), withUnit(d.maxInputVac, "V AC")),
          WindingSheet::tr("输出"),
          withUnit(d.outputVoltage, "V") + QStringLiteral(" / ") + withUnit(d.outputCurrent, "A"),
          WindingSheet::tr("反馈绕组电压"), withUnit(d.auxiliaryVoltage, "V"), WindingSheet::tr("效率"),
          withUnit(d.efficiency, "%")},
         {WindingSheet::tr("系统算法"), controller, WindingSheet::tr("输出模式"),
          d.ccMode ? QStringLiteral("CC (PFM)") : QStringLiteral("CV (PWM)"), WindingSheet::tr("工作频率"),
          withUnit(o.frequency, "kHz"), WindingSheet::tr("占空比 Dmax"), withUnit(o.duty, "%")},
         {WindingSheet::tr("峰值磁通密度 Bpk"), withUnit(o.peakFlux, "mT"), WindingSheet::tr("反射电压 Vor"),
          withUnit(o.reflectedVoltage, "V"), WindingSheet::tr("初级峰值电流"),
          withUnit(o.primaryPeakCurrent, "A"), WindingSheet::tr("次级峰值电流"),
          withUnit(o.secondaryPeakCurrent, "A")}},
        false, 7);
    return h;
}

void paintFooter(SheetPage& page, const SheetTitle& t) {
    const double y = SheetPage::kHeight - 12;
    page.line(kLeft, y, kLeft + kWidth, y, 0.2);
    page.setFont(7.5);
    page.text(QRectF(kLeft, y + 0.8, kWidth, 4), QString::fromStdString(t.program), Qt::AlignLeft);
    page.text(QRectF(kLeft, y + 0.8, kWidth, 4), WindingSheet::tr("第 1 页，共 1 页"), Qt::AlignRight);
}

void paintPage(SheetPage& page, const WindingSheetContent& c) {
    double y = SheetPage::kMargin;
    y += paintTitle(page, c.title, y);

    const double leftWidth = 82;
    const double rightX = kLeft + leftWidth + kGutter;
    const double rightWidth = kWidth - leftWidth - kGutter;
    const double schematicHeading = page.heading(kLeft, y, leftWidth, WindingSheet::tr("电气原理图"));
    drawSchematic(page, c, QRectF(kLeft, y + schematicHeading, leftWidth, 52));
    const double coreHeight = paintCore(page, c, rightX, y, rightWidth);
    y += std::max(schematicHeading + 52, coreHeight) + 1;

    y += paintWindings(page, c, y);

    const double sectionWidth = 104;
    const double sectionHeading = page.heading(kLeft, y, sectionWidth, WindingSheet::tr("截面图（按比例）"));
    const double materialsX = kLeft + sectionWidth + kGutter;
    const double materials = paintMaterials(page, c, materialsX, y, kWidth - sectionWidth - kGutter);
    const double sectionHeight =
        std::max(materials - sectionHeading, crossSectionHeight(c.crossSection, sectionWidth));
    drawCrossSection(page, c, QRectF(kLeft, y + sectionHeading, sectionWidth, sectionHeight));
    y += sectionHeading + sectionHeight + 1;

    y += paintTests(page, c, y);
    paintConditions(page, c, y);
    paintFooter(page, c.title);
}

}  // namespace

std::optional<QString> writeWindingSheetPage(const QString& path, const WindingSheetContent& content) {
    const QString unwritable = WindingSheet::tr("无法写入 %1：%2");
    // Drawn in memory first, then written at once: a write that fails part-way (a full disk, a
    // size limit) is reported and leaves an earlier file as it was.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setResolution(SheetPage::kResolution);
        writer.setTitle(title());
        writer.setCreator(QString::fromStdString(content.title.program));
        QPainter painter;
        if (!painter.begin(&writer)) return unwritable.arg(path, WindingSheet::tr("无法生成 PDF"));
        SheetPage page(painter);
        paintPage(page, content);
        painter.end();
    }
    if (const std::optional<QString> error = saveFileAtomically(path, bytes))
        return unwritable.arg(path, *error);
    return std::nullopt;
}

std::optional<QString> writeWindingSheet(const QString& path, const Design& design,
                                         const AnalysisResult& result, int solutionIndex,
                                         const QString& designName, QDate date) {
    const SheetContentResult made = windingSheetContent(design, result, solutionIndex, designName, date);
    if (!made.content) return made.refusal;
    return writeWindingSheetPage(path, *made.content);
}
