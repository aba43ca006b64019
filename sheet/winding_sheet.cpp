#include "sheet/winding_sheet.h"

#include <algorithm>
#include <array>
#include <vector>

#include <QBuffer>
#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

#include "diagram/diagram_export.h"
#include "diagram/diagram_texts.h"
#include "diagram/winding_diagram.h"
#include "engine/core_figures.h"
#include "engine/design_fields.h"
#include "engine/number_text.h"
#include "engine/winding_layout.h"
#include "widgets/entry_text.h"
#include "widgets/save_file.h"

namespace {

const QString kProgram = QStringLiteral("Quillmere 1.4");
const QString kTitle = QStringLiteral("变压器绕组规格书");

// Page geometry in mm, A4 portrait. The PDF is drawn at 1200 dots per inch: fine enough that
// the positions of the vector drawing and the text do not visibly round.
constexpr int kResolution = 1200;
constexpr double kPageWidth = 210;
constexpr double kPageHeight = 297;
constexpr double kMargin = 15;
constexpr double kContentWidth = kPageWidth - 2 * kMargin;
constexpr double kRowHeight = 6.2;
constexpr double kCellPadding = 1.2;

constexpr double kBodyPoints = 9;
constexpr double kSmallestPoints = 6;

// The form's diagram area in client pixels, and how wide it stands on the page.
const QRectF kDiagramArea(kWindingDiagramArea);
constexpr double kDiagramWidth = 165;

const QColor kShade(232, 232, 232);
const QColor kRule(110, 110, 110);
const QColor kNoteColour(70, 70, 70);

// A message about the sheet, in the shown language (the sheet itself is always Chinese).
QString message(const char* source) {
    return QCoreApplication::translate("WindingSheet", source);
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QString number(double value) {
    return QString::fromStdString(numberText(value));
}

QString yesNo(bool on) {
    return on ? QStringLiteral("是") : QStringLiteral("否");
}

enum class Shading { HeadingRow, LabelColumns };

/// Draws the page top-down in mm; `y` is where the next block starts.
class SheetPainter {
public:
    explicit SheetPainter(QPainter& painter) : p_(painter) {}

    double y = kMargin;

    QRectF area(double x, double top, double width, double height) const {
        return {x * kDotsPerMm, top * kDotsPerMm, width * kDotsPerMm, height * kDotsPerMm};
    }

    void setFont(double points, bool bold = false) {
        QFont font(QStringLiteral("宋体"));
        font.setPointSizeF(points);
        font.setBold(bold);
        p_.setFont(font);
    }

    // Left-, right- or centre-aligned text on one line; a text too wide for its box is set
    // smaller rather than cut off.
    void textLine(const QRectF& box, const QString& s, Qt::Alignment alignment) {
        const QFont saved = p_.font();
        QFont font = saved;
        const double width = QFontMetricsF(font, p_.device()).horizontalAdvance(s);
        if (width > box.width() && width > 0)
            font.setPointSizeF(std::max(kSmallestPoints, font.pointSizeF() * box.width() / width));
        p_.setFont(font);
        p_.drawText(box, static_cast<int>(alignment | Qt::AlignVCenter) | Qt::TextDontClip, s);
        p_.setFont(saved);
    }

    void title(const QString& designName, const QString& date) {
        setFont(18, true);
        textLine(area(kMargin, y, kContentWidth, 10), kTitle, Qt::AlignLeft);
        setFont(9);
        textLine(area(kMargin, y, kContentWidth, 5), QStringLiteral("设计文件：") + designName,
                 Qt::AlignRight);
        textLine(area(kMargin, y + 5, kContentWidth, 5), QStringLiteral("日期：") + date, Qt::AlignRight);
        y += 11.5;
        rule(0.4);
        y += 2;
    }

    void heading(const QString& s) {
        y += 3;
        setFont(11, true);
        textLine(area(kMargin, y, kContentWidth, 6.5), s, Qt::AlignLeft);
        y += 7.5;
    }

    void subheading(const QString& s) {
        y += 1.5;
        setFont(9.5, true);
        textLine(area(kMargin, y, kContentWidth, 5.5), s, Qt::AlignLeft);
        y += 6;
    }

    // A grid of cells, the columns `widths` mm wide (adding up to the content width).
    void table(const std::vector<double>& widths, const std::vector<QStringList>& rows, Shading shading) {
        setFont(kBodyPoints);
        QPen pen(kRule);
        pen.setWidthF(0.15 * kDotsPerMm);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            double x = kMargin;
            for (std::size_t c = 0; c < widths.size(); ++c) {
                const QRectF cell = area(x, y, widths[c], kRowHeight);
                const bool shaded = shading == Shading::HeadingRow ? r == 0 : c % 2 == 0;
                if (shaded) p_.fillRect(cell, kShade);
                p_.setPen(pen);
                p_.drawRect(cell);
                p_.setPen(Qt::black);
                const QString s =
                    c < static_cast<std::size_t>(rows[r].size()) ? rows[r][static_cast<int>(c)] : "";
                textLine(cell.adjusted(kCellPadding * kDotsPerMm, 0, -kCellPadding * kDotsPerMm, 0), s,
                         Qt::AlignLeft);
                x += widths[c];
            }
            y += kRowHeight;
        }
    }

    void note(const QString& s) {
        setFont(8.5);
        p_.setPen(kNoteColour);
        textLine(area(kMargin, y + 0.8, kContentWidth, 4.5), s, Qt::AlignLeft);
        p_.setPen(Qt::black);
        y += 5.5;
    }

    void rule(double widthMm) {
        QPen pen(Qt::black);
        pen.setWidthF(widthMm * kDotsPerMm);
        p_.setPen(pen);
        p_.drawLine(QPointF(kMargin * kDotsPerMm, y * kDotsPerMm),
                    QPointF((kPageWidth - kMargin) * kDotsPerMm, y * kDotsPerMm));
        p_.setPen(Qt::black);
    }

    // The form's painter draws at its client coordinates; the page maps them onto `width` mm,
    // centred under the current position.
    void diagram(const AnalysisResult& result, int solutionIndex, const RuleSet& rules) {
        const double scale = kDiagramWidth * kDotsPerMm / kDiagramArea.width();
        const double height = kDiagramArea.height() * scale / kDotsPerMm;
        const double left = kMargin + (kContentWidth - kDiagramWidth) / 2;
        QPen frame(kRule);
        frame.setWidthF(0.15 * kDotsPerMm);
        p_.setPen(frame);
        p_.drawRect(area(kMargin, y, kContentWidth, height + 4));
        p_.save();
        p_.translate(left * kDotsPerMm, (y + 2) * kDotsPerMm);
        p_.scale(scale, scale);
        p_.translate(-kDiagramArea.topLeft());
        paintWindingDiagram(p_, result.solutions, solutionIndex, rules.sandwichWinding, rules.tapeTurns);
        p_.restore();
        y += height + 4;
    }

    void footer() {
        y = kPageHeight - 14;
        rule(0.2);
        setFont(8);
        const QRectF line = area(kMargin, y + 1, kContentWidth, 5);
        textLine(line, kProgram, Qt::AlignLeft);
        textLine(line, QStringLiteral("第 1 页，共 1 页"), Qt::AlignRight);
    }

private:
    static constexpr double kDotsPerMm = kResolution / 25.4;
    QPainter& p_;
};

QString unitText(float value, const char* unit) {
    return entryText(value) + QStringLiteral(" ") + QString::fromUtf8(unit);
}

QString spanText(float centre, float span, const char* unit) {
    return entryText(centre) + QStringLiteral(" ± ") + entryText(span) + QStringLiteral(" ") +
           QString::fromUtf8(unit);
}

// Label and value pairs, three to a row.
std::vector<QStringList> pairRows(const std::vector<std::pair<QString, QString>>& pairs) {
    std::vector<QStringList> rows;
    for (std::size_t i = 0; i < pairs.size(); i += 3) {
        QStringList row;
        for (std::size_t k = i; k < i + 3; ++k) {
            if (k < pairs.size()) row << pairs[k].first << pairs[k].second;
        }
        rows.push_back(row);
    }
    return rows;
}

void paintConditions(SheetPainter& sheet, const Design& design) {
    const DesignInputs& in = design.inputs;
    const RuleSet& rules = design.rules;
    const std::vector<double> pairColumns = {31, 29, 31, 29, 31, 29};

    sheet.heading(QStringLiteral("一、设计条件"));
    sheet.subheading(QStringLiteral("设计输入"));
    const auto controller = static_cast<std::size_t>(design.controllerChoice);
    const QString controllerName =
        controller < kControllerNames.size()
            ? QString::fromUtf8(kControllerNames[controller].data(),
                                static_cast<qsizetype>(kControllerNames[controller].size()))
            : QString::number(design.controllerChoice);
    std::vector<std::pair<QString, QString>> inputs;
    for (const DesignField& field : kDesignFields)
        if (field.isInput())
            inputs.emplace_back(
                QString::fromUtf8(field.sheetLabel.data(), static_cast<qsizetype>(field.sheetLabel.size())),
                entryText(in.*std::get<float DesignInputs::*>(field.member)));
    inputs.emplace_back(QStringLiteral("系统算法"), controllerName);
    sheet.table(pairColumns, pairRows(inputs), Shading::LabelColumns);

    sheet.subheading(QStringLiteral("设计规则"));
    const QString mode = rules.ccMode ? QStringLiteral("CC (PFM)") : QStringLiteral("CV (PWM)");
    sheet.table(
        pairColumns,
        pairRows({
            {QStringLiteral("输出模式"), mode},
            {QStringLiteral("峰值磁通密度"), spanText(rules.peakFlux, rules.peakFluxSpan, "GS")},
            {QStringLiteral("导通占空比"), spanText(rules.onDuty, rules.onDutySpan, "%")},
            rules.ccMode ? std::pair{QStringLiteral("PFM频率范围"),
                                     spanText(rules.frequency, rules.frequencySpan, "kHz")}
                         : std::pair{QStringLiteral("PWM频率"), unitText(rules.frequency, "kHz")},
            rules.ccMode ? std::pair{QStringLiteral("输出占空比"), unitText(rules.outputDuty, "%")}
                         : std::pair{QStringLiteral("空闲比例"), unitText(rules.idleRatio, "%")},
            {QStringLiteral("开关管/二极管压降"),
             entryText(rules.switchDrop) + QStringLiteral(" V / ") + unitText(rules.diodeDrop, "V")},
            {QStringLiteral("线圈温升(°)"), entryText(rules.tempRise)},
            {QStringLiteral("绕线深度不超过(%)"), entryText(rules.windDepthLimit)},
            {QStringLiteral("第一绕组最小比例(%)"), entryText(rules.firstWindingMinShare)},
            {QStringLiteral("槽宽预留(%)"), entryText(rules.slotWidthReserve)},
            {QStringLiteral("绕组间胶带"),
             entryText(rules.tapeTurns) + QStringLiteral(" 圈 × ") + unitText(rules.tapeThickness, "mm")},
            {QStringLiteral("初级/次级股数"),
             entryText(rules.primaryStrands) + QStringLiteral(" / ") + entryText(rules.secondaryStrands)},
        }),
        Shading::LabelColumns);
    sheet.table({31, 149},
                {{QStringLiteral("选项"),
                  QStringLiteral("考虑集肤效应：%1　　三明治绕法：%2　　允许三明治饶换线：%3　　匝数取偶：%4")
                      .arg(yesNo(rules.skinEffect != 0), yesNo(rules.sandwichWinding != 0),
                           yesNo(rules.sandwichWireChange), yesNo(rules.evenTurns))}},
                Shading::LabelColumns);
}

void paintElectrical(SheetPainter& sheet, const Solution& solution) {
    const auto f = [&](RecordField name) { return text(solutionText(solution, name)); };
    QString ratio = text(turnsRatioText(solution));
    ratio.remove(QStringLiteral("Np/Ns="));
    sheet.heading(QStringLiteral("二、电气参数"));
    std::vector<double> columns(12, (kContentWidth - 10) / 11);
    columns.front() = 10;  // the rank
    sheet.table(
        columns,
        {{"No.", "分值", "Lp(µH)", "f(kHz)", "Dmax(%)", "Bpk(GS)", "Vor(V)", "Np/Ns", "Ipkp(A)", "Ipks(A)",
          "Cin(µF)", "Cmil/A"},
         {f(RecordField::rank), f(RecordField::score), f(RecordField::inductance), f(RecordField::frequency),
          f(RecordField::duty), f(RecordField::fluxDensity), f(RecordField::reflectedVoltage), ratio,
          f(RecordField::ipkPrimary), f(RecordField::ipkSecondary), f(RecordField::inputCapacitance),
          f(RecordField::currentDensity)}},
        Shading::HeadingRow);
}

QString windingCaption(std::size_t n, const std::string& name) {
    static const std::array<const char*, 4> kRoles = {"初级", "次级", "初级后半", "反馈"};
    QString role = QString::fromUtf8(kRoles[n]);
    if (name == "Np_1") role = QStringLiteral("初级前半");
    return QStringLiteral("%1  %2 %3").arg(n + 1).arg(role, text(name));
}

void paintWindings(SheetPainter& sheet, const std::array<std::optional<WindingLayout>, 4>& windings,
                   const RuleSet& rules) {
    const QString tape = entryText(rules.tapeTurns) + QStringLiteral(" 圈 × ") +
                         entryText(rules.tapeThickness) + QStringLiteral(" mm");
    std::vector<QStringList> rows = {
        {"绕组（自槽底向外）", "匝数(Ts)", "线径×股数(mm)", "层数", "末层占比", "其上胶带"}};
    bool overflow = false;
    for (std::size_t n = 0; n < windings.size(); ++n) {
        if (!windings[n]) {
            rows.push_back({QStringLiteral("%1  无（非三明治绕法）").arg(n + 1), "—", "—", "—", "—", "—"});
            continue;
        }
        const WindingLayout& w = *windings[n];
        QString layers = QString::number(w.layerCount);
        QString fill = text(w.recordFill);
        if (w.overflowCounted) {
            layers += QStringLiteral(" *");
            overflow = true;
        } else if (w.layers && w.layers->fraction == 0) {
            fill += QStringLiteral("（满层）");
        }
        rows.push_back({windingCaption(n, w.name), text(w.turns),
                        text(w.wire).replace('*', QStringLiteral(" × ")), layers, fill, tape});
    }
    sheet.heading(QStringLiteral("三、绕组"));
    sheet.table({44, 20, 32, 18, 34, 32}, rows, Shading::HeadingRow);
    if (overflow)
        sheet.note(
            QStringLiteral("* 末层余量不足 5% 层宽，并入下层绕制，按满层计（末层占比记作 1 − 余量）。"));
}

void paintCore(SheetPainter& sheet, const CoreFigures& core, float coreAe) {
    sheet.heading(QStringLiteral("四、磁芯"));
    sheet.table(std::vector<double>(5, kContentWidth / 5),
                {{"初级总匝数 Np", "磁芯AE(mm²)", "AL(nH/N²)", "气隙 lg(mm)", "储能 ½·Lp·Ipkp²(µJ)"},
                 {number(core.primaryTurns), entryText(coreAe), number(core.inductanceFactor),
                  number(core.airGap), number(core.storedEnergy)}},
                Shading::HeadingRow);
    sheet.note(
        QStringLiteral("AL = Lp / Np²；气隙 lg = µ0 · Np² · Ae / Lp 为一阶估算：未计边缘磁通，忽略磁芯磁阻。"
                       "Np 计入初级的全部匝数。"));
}

}  // namespace

std::optional<QString> writeWindingSheet(const QString& path, const Design& design,
                                         const AnalysisResult& result, int solutionIndex,
                                         const QString& designName, QDate date) {
    const Solution* solution = solutionAt(result.solutions, solutionIndex);
    if (!solution)
        return message(QT_TRANSLATE_NOOP("WindingSheet", "没有第 %1 个解法（共 %2 个）。"))
            .arg(static_cast<qint64>(solutionIndex) + 1)
            .arg(result.solutions.size());
    const auto windings = windingLayouts(*solution, design);
    for (const auto& w : windings) {
        if (w && !w->matchesRecord)
            return message(
                       QT_TRANSLATE_NOOP(
                           "WindingSheet",
                           "第 %1 "
                           "个解法的绕组与当前设计不符（槽宽、线径、股数或绕法在分析后改过），请重新分析。"))
                .arg(solutionIndex + 1);
    }
    const CoreFiguresResult core = coreFigures(*solution, design.inputs.coreAe);
    if (!core.figures)
        return message(QT_TRANSLATE_NOOP("WindingSheet", "无法估算磁芯数据：")) + text(core.refusal);

    const QString cannotWrite = message(QT_TRANSLATE_NOOP("WindingSheet", "无法写入 %1：%2"));
    // Drawn in memory first: the file is replaced only by a whole page.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setResolution(kResolution);
        writer.setTitle(kTitle);
        writer.setCreator(kProgram);
        QPainter painter;
        if (!painter.begin(&writer))
            return cannotWrite.arg(path, message(QT_TRANSLATE_NOOP("WindingSheet", "无法生成 PDF")));
        SheetPainter sheet(painter);
        sheet.title(designName.isEmpty() ? QStringLiteral("未命名") : designName, date.toString(Qt::ISODate));
        paintConditions(sheet, design);
        paintElectrical(sheet, *solution);
        paintWindings(sheet, windings, design.rules);
        paintCore(sheet, *core.figures, design.inputs.coreAe);
        sheet.heading(QStringLiteral("五、绕组截面"));
        sheet.diagram(result, solutionIndex, design.rules);
        sheet.footer();
        painter.end();
    }
    if (const std::optional<QString> error = saveFileAtomically(path, pdf))
        return cannotWrite.arg(path, *error);
    return std::nullopt;
}
