#include "ui/SessionSettings.h"

#include "core/Error.h"
#include "selection/Basket.h"
#include "selection/BetList.h"
#include "session/SavedSession.h"
#include "ui/QtHost.h"
#include "ui/Unit1.h"
#include "ui/widgets/QtText.h"

#include <QAction>
#include <QMenu>

namespace qv::ui {

namespace {

// Redraws every view whose data the settings hold.
void RefreshSessionViews(TForm1& form)
{
    form.RefreshView("PageControl2");
    form.RefreshView("hao1");
    form.RefreshView(kBetListComponent);
    form.RefreshView("Memo8");
    form.RefreshView(kBasketViewComponent);
    const SelectionState& selection = form.State().Selection;
    if (selection.BasketReadyFlag) {
        form.Host().SetLabel("Label29", GroupCountText(selection.BasketGroups));
        form.Host().SetLabel("Label4", BasketTotalText(selection.BasketView.Size()));
    }
}

} // namespace

void InstallSessionSettings(TForm1& form)
{
    if (QMenu* menu = form.DataMenu()) {
        auto* action = new QAction(QStringLiteral("恢复默认设置"), &form);
        action->setObjectName(QStringLiteral("MenuRestoreDefaults"));
        action->setToolTip(QStringLiteral("过滤条件、选号、投注列表与蓝码回到程序的默认值（号码篮不变）"));
        QAction* exit = form.ExitAction();
        menu->insertAction(exit, action);
        menu->insertSeparator(exit);
        QObject::connect(action, &QAction::triggered, &form, [&form]() { RestoreDefaultSettings(form); });
    }

    std::string line;
    try {
        line = LoadSession(form.State());
    } catch (const std::exception& e) {
        // The start goes on from the defaults whatever the file held.
        line = std::string("设置文件无法读取（") + e.what() + "），已忽略，使用默认设置";
    }
    if (!line.empty())
        form.AppendLog(Q(line));
    RefreshSessionViews(form);
}

void SaveSessionSettings(TForm1& form)
{
    try {
        SaveSession(form.State());
    } catch (const std::exception& e) {
        form.AppendLog(QStringLiteral("设置未能保存：") + Q(e.what()));
    }
}

bool RestoreDefaultSettings(TForm1& form)
{
    if (form.Busy())
        return false;
    const MessageAnswer answer =
        form.Host().Message("恢复默认设置",
                            "过滤条件与参数、已选红球、投注列表、蓝码选择和购买清单位置将回到程序的默认值，"
                            "号码篮保持不变。是否继续？",
                            MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes)
        return false;
    ResetSession(form.State());
    RefreshSessionViews(form);
    SaveSessionSettings(form);
    LogStep(form.Host(), "已恢复默认设置");
    return true;
}

} // namespace qv::ui
