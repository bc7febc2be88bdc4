#include "ui/widgets/ToolTips.h"

#include <QAction>
#include <QWidget>

namespace qv::ui {

namespace {

struct ToolTip
{
    const char* Action;
    const char* Text;
};

const ToolTip kToolTips[] = {
    {"TopSelection", "打开选号/过滤区域：选号、缩水过滤、购买清单与中奖查询"},
    {"TopAnalysis", "打开技术指标区域：历史统计、指标参考、历史遗漏与号码预测"},
    {"TopWeb", "打开在线讨论区域，显示讨论、QQ群与新版本等页面"},
    {"TopGuide", "在在线讨论区域中显示本软件的使用指南"},
    {"TopAbout", "显示本软件的版本、出品与联系方式"},
    {"ToolHistoryStatistics", "查看历史每一期的红球与蓝球指标表"},
    {"ToolIndicatorReference", "查看下一期的红球、蓝球基础指标参考"},
    {"ToolHistoryOmission", "查看红球、蓝球的遗漏数据与出号情况"},
    {"ToolPrediction", "查看围红公式的号码预测与杀红、杀蓝公式的验证"},
    {"ToolTrend", "查看红球、蓝球走势图（遗漏与统计）和指标走势图"},
    {"ToolSpiral", "螺旋体分析预测（暂未开放）"},
    {"ToolButton22", "打开开奖记录编辑器：添加、修改或删除开奖记录"},
    {"ToolButton2", "按历史开奖记录重新计算全部指标与分析文件"},
    {"ToolNotepad", "打开记事本，记下您的选号心得"},
    {"ToolBetCombination", "选择红球号码、编辑投注列表，并分解到号码篮"},
    {"ToolFilters", "勾选过滤条件，对号码篮进行缩水过滤"},
    {"ToolPurchaseList", "给号码篮配上蓝球，生成并保存购买清单"},
    {"ToolPrizeCheck", "用开奖号码核对购买清单的中奖情况"},
    {"ToolWheel", "旋转矩阵：用较少的注数买到经过验证的中m保t保证"},
    {"WebForum", "显示即时讨论页面"},
    {"WebGroupChat", "显示QQ群页面"},
    {"WebNewVersion", "显示新版本页面"},
    {"WebHelp", "显示在线帮助（使用指南）页面"},
};

} // namespace

void DescribeToolButtons(QWidget* root)
{
    for (QAction* action : root->findChildren<QAction*>())
        for (const ToolTip& tip : kToolTips)
            if (action->objectName() == QString::fromUtf8(tip.Action))
                action->setToolTip(QString::fromUtf8(tip.Text));
}

} // namespace qv::ui
