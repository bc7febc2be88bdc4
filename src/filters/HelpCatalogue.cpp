#include "filters/HelpCatalogue.h"

#include "history/TextFile.h"

namespace qv {

namespace {

std::string RepeatNumbers(const HelpInputs& s)
{
    return s.Reference.RepeatNumbers;
}
std::string HotNumbers(const HelpInputs& s)
{
    return s.Reference.HotNumbers;
}
std::string NeighbourNumbers(const HelpInputs& s)
{
    return s.Reference.NeighbourNumbers;
}
std::string ColdNumbers(const HelpInputs& s)
{
    return s.Reference.ColdNumbers;
}
std::string FiveDrawMeans(const HelpInputs& s)
{
    return s.Prediction.FiveDrawMeanNumbers;
}
std::string FifthDraw(const HelpInputs& s)
{
    return s.Prediction.FifthDrawNumbers;
}
std::string RegionEdges(const HelpInputs& s)
{
    return s.Prediction.RegionEdgeNumbers;
}
std::string KillNumbers(const HelpInputs& s)
{
    return s.Prediction.KillNumbers;
}
std::string LongOmissions(const HelpInputs& s)
{
    return s.Prediction.LongOmissionNumbers;
}

HelpEntry Fixed(std::vector<std::string> boxes, std::vector<std::string> lines, std::string speed)
{
    HelpEntry entry;
    entry.CheckBoxes = std::move(boxes);
    entry.Kind = HelpKind::Fixed;
    entry.Lines = std::move(lines);
    entry.Speed = std::move(speed);
    return entry;
}

HelpEntry Valued(std::string box, std::string label, std::string (*value)(const HelpInputs&),
                 std::vector<std::string> lines, std::string speed)
{
    HelpEntry entry;
    entry.CheckBoxes = {std::move(box)};
    entry.Kind = HelpKind::Value;
    entry.ValueLabel = std::move(label);
    entry.Value = value;
    entry.Lines = std::move(lines);
    entry.Speed = std::move(speed);
    return entry;
}

HelpEntry FromFile(std::vector<std::string> boxes, std::string file, int width = kHelpDefaultWidth)
{
    HelpEntry entry;
    entry.CheckBoxes = std::move(boxes);
    entry.Kind = HelpKind::File;
    entry.File = std::move(file);
    entry.Width = width;
    return entry;
}

std::vector<HelpEntry> BuildCatalogue()
{
    std::vector<HelpEntry> c;
    c.push_back(FromFile({"CheckBox30", "CheckBox31"}, "red/op/ZH.txt", 600));
    c.push_back(Fixed({"CheckBox26"},
                      {"有网友认为这些号码不能超过5个：01 02 03 04 06 09 14 16 18 24 25 28 32",
                       "您所选中的号码如果有5个与该号码相同，则排除"},
                      "快"));
    c.push_back(Fixed({"TeCheckBox6"},
                      {"有网友认为，双色球每期开奖号码都包含了此12码：01 10 11 12 14 15 18 19 24 25 27 29",
                       "如果您所选择的号码没有这12个码的其中之一，则排除"},
                      "快"));
    c.push_back(Valued("CheckBox13", "五期来位势号平均值为：", FiveDrawMeans,
                       {"您所选中的号码如果有3个或3个以上与此均值相等则排除"}, "快"));
    c.push_back(Fixed({"CheckBox19"},
                      {"与7有关的数字：07 14 16 17 18 21 25 27 28 29.有网友认为，双色球常出号码中都跟7有关",
                       "您所选中的号码如果没有这些号码或是大于或等于5个，则排除"},
                      "快"));
    c.push_back(Valued("CheckBox14", "从本期算起的第4期号码：", FifthDraw,
                       {"您所选中的号码如果不包含此号码列，或者是有4个或4个以上与此号码列相等则排除"}, "快"));
    c.push_back(Fixed({"CheckBox6"},
                      {"设定值如下：",
                       "01-09为X",
                       "10-19为Y",
                       "20-29为Z",
                       "30-33为ZZ",
                       "",
                       "当整组号码条件为下列条件时，则排除该注数：",
                       "(x>=4)",
                       "(y>4)",
                       "(z>4)",
                       "(zz=4)",
                       "((x=3) and (zz=3))",
                       "((y=4) and (zz=2))",
                       "((y=3) and (zz=3))",
                       "((z=4) and (zz=2))",
                       "((z=3) and (zz=3))",
                       "(((x>4) or (y>4)) and (z=0) and (zz=0))",
                       "((x=0) and (y=0))",
                       "((y=0) and (z=0))",
                       "((x=0) and (y=1))",
                       "((x=1) and (y=0) and (z=4))",
                       "((x=1) and (y=0) and (zz=4))"},
                      "一般"));
    c.push_back(Valued("CheckBox9", "两期来重号：", RepeatNumbers,
                       {"如果您所选择的号码有大于或等于5个2期来重号时，则排除"}, "快"));
    c.push_back(Valued("CheckBox12", "最近热号：", HotNumbers,
                       {"当您所选择的号码中出现5个以上热号时，则排除"}, "特快"));
    c.push_back(Fixed({"CheckBox20"}, {"您所选中的号码如果有4个连号，则排除"}, "快"));
    c.push_back(Fixed(
        {"CheckBox21"},
        {"ABC值，即除3余数。", "A=余1", "B=余2", "C=余3", "当您所选中的号码同一余数大于或等于5个时，则删除"},
        "快"));
    c.push_back(Fixed(
        {"CheckBox28"},
        {"经研究，双色球开奖号极少同时出现3个或3个以上同尾号。", "当您所选择的号码有3个以上同尾号时，则排除"},
        "特快"));
    c.push_back(Fixed({"CheckBox23"}, {"当您选中的号码是全奇全偶时，则删除"}, "特快"));
    c.push_back(Valued("CheckBox11", "上2期衍生号为：", NeighbourNumbers,
                       {"您选中的号码中大于上面5个或没有时，则删除"}, "快"));
    c.push_back(Fixed({"CheckBox17"},
                      {"双色球质数：01 03 05 07 11 13 17 19 23 29 31", "您选中的号码中没有质数时，则删除"},
                      "快"));
    c.push_back(Fixed(
        {"TeCheckBox5"},
        {"相邻2期开奖号的和值相等的机率非常低。", "当您所选择的号码有和值与上期和值一样的，则排除"}, "特快"));
    c.push_back(FromFile({"CheckBox24", "CheckBox25"}, "red/op/hz.txt", 700));
    c.push_back(Fixed({"CheckBox33"},
                      {"按照12期来出号次数从少到多进行排列，并将33个号分为3组，每组11个。经研究，每期出号每组"
                       "中不会出现大于5个。",
                       "您选中的号码大于每组5个时，则排除"},
                      "快"));
    c.push_back(
        Fixed({"CheckBox34"},
              {"黄金定律中除了黄金周期循环外，还有另外一个组成部分，即黄金分割优选法。",
               "这两者构成了黄金定律。无数数学大师们经过精确运算，将0.191、0.382、0.5、0.618、0."
               "809这些特定的比例划定为常用的黄金数字比例，黄金分割法就在某个固定单位中运用上述比例划分数字的"
               "方法。",
               "经计算得出，双色球号码中的：06、13、16、17、20、27为黄金分割点。",
               "我们将12期来出号数量由少到多进行排序，排序后将黄金分割点号码±2个号码。共能生成6组号码。",
               "当您所选择的号码少于或等于2个时，则排除。"},
              "一般"));
    c.push_back(FromFile({"CheckBox22"}, "red/op/8G.txt"));
    {
        HelpEntry region = FromFile({"CheckBox15"}, "red/op/QY.txt");
        region.Kind = HelpKind::FileAndValue;
        region.ValueLabel = "下期区域边缘算法号码：";
        region.Value = RegionEdges;
        region.Lines = {"如果您所选中的号码中没有包含在该号码组，则删除"};
        region.Speed = "快";
        c.push_back(std::move(region));
    }
    c.push_back(FromFile({"CheckBox43"}, "red/op/PS.txt", 400));
    c.push_back(FromFile({"CheckBox32"}, "red/op/75.txt", 500));
    c.push_back(
        Fixed({"CheckBox18"},
              {"经研究，双色球自开奖以来多数情况下都带有尾数为2、6、8、9的数字，如：02 16 29等类似号码",
               "您所选中的号码如果没有尾号为2、6、8、9则排除"},
              "快"));
    c.push_back(Fixed({"CheckBox42"}, {"您选中的号码与历史出号记录相等时，则排除"}, "慢"));
    c.push_back(
        Fixed({"TeCheckBox14"},
              {"经研究，双色球自开奖以来多数情况下都带有尾数为2、3、7、8的数字，如：02 13 27等类似号码",
               "您所选中的号码如果没有尾号为2、3、7、8则排除"},
              "快"));
    c.push_back(Fixed({"TeCheckBox11"},
                      {"将33个红球分为三区，每区11个号码，三区和将开奖6个号码分为三个区域相加，如下例：",
                       "开奖号 01 02 11 15 23 33",
                       "则三区和为：3:16:56  一区：01+02=3；二区：11+15=26；三区：23+33=56；",
                       "在这里您可以设置三区取值范围进行过滤。"},
                      "一般"));
    c.push_back(Fixed({"TeCheckBox13"},
                      {"将33个红球分为三区，每区11个号码，如下例：", "开奖号 01 02 11 15 23 33",
                       "则三区比为：2:2:2", "在这里您可以设置三区间出号个数进行过滤。"},
                      "一般"));
    c.push_back(Fixed({"CheckBox7", "CheckBox8"},
                      {"首位号，即是双色球中最小的第一位号码。", "您可以设置第一位号码大小范围。"}, "快"));
    c.push_back(
        Fixed({"CheckBox29"}, {"您可以设置预测的开奖号中个位数的个数，大多数情况下个位大于3个的较少"}, "快"));
    c.push_back(Fixed({"CheckBox37"}, {"您可以过滤掉您认为不会出现的和值"}, "一般"));
    c.push_back(Valued("CheckBox10", "冷号：", ColdNumbers, {"您可以选择要留下的冷号个数"}, "一般"));
    c.push_back(Fixed({"CheckBox27"},
                      {"第2位号码减去第1位号码，即是一二位跨度。", "您可以设置要过滤的一二位跨度。"},
                      "一般"));
    c.push_back(Fixed({"CheckBox38"}, {"您可以选择要留下的奇数个数"}, "一般"));
    c.push_back(Fixed({"CheckBox39"}, {"大号：17-33.", "您可以选择要留下的大号个数"}, "一般"));
    c.push_back(Fixed({"TeCheckBox7"},
                      {"开奖号中最大数减去最小数的差，即极距。", "您可以选择要留下的极距值范围"}, "一般"));
    c.push_back(
        Fixed({"TeCheckBox2"},
              {"经“螺旋体猜想”研究得知，以下位势号码至少有1个达到此条件：", "第1位：01-08", "第2位：05-12",
               "第3位：09-16", "第4位：17-24", "第5位：21-28", "第6位：25-33",
               "例如：2009148期的06 12 15 22 29 "
               "32，出号情况是√√√√×√，也即是有5个位势达到此条件。经过截止至976期以来有115期达到6个全√条件。",
               "您可以选择容对条件，例如估计本期可能有1-"
               "4个达到√，那么填写容对条件便写：1至4，如果条件不在此范围内则删除"},
              "慢"));
    c.push_back(Valued("TeCheckBox12", "遗漏值大于9期的号码有：", LongOmissions,
                       {"您可以设置容对条件，如设置：1-3个，即表示在此号码列中有1-3个会出现",
                        "注：经我们测试，开奖号码中一般情况下会开出大于10期遗漏值的号码，而且在1-3个附近。"},
                       "快"));
    c.push_back(
        Fixed({"CheckBox45"},
              {"历史邻号排除法：",
               "本软件计算出双色球开奖以来33个号码中相邻两码搭配所出现的次数，您可以过滤掉那些出现次数少的"},
              "特慢"));
    c.push_back(Valued("TeCheckBox9", "本次可杀号码：", KillNumbers,
                       {"您可以设置容错条件，如设置：0-2个，即表示在此杀号表中可能有0-2个会出现",
                        "注：经我们测试，一般情况下会出现0-2个杀错，因此默认设置为容错0-2，但这也绝对不是100%"
                        "准确，所以请您可以根据自己感觉设置容错条件。"},
                       "快"));
    c.push_back(Fixed({"CheckBox46"},
                      {"有了A，便不能有B，称之为号码相斥。", "相斥设定方式：", "01 05,1", "31 32 33,2", "",
                       "第1行说明01与05这两个号码最多只能出现1个；",
                       "第2行说明31 32 33这三个号码最多只能出现2个组合；"},
                      "一般"));
    c.push_back(Fixed({"TeCheckBox8"},
                      {"位势选号：第1位-第6位定位选择。不达到条件的号码就删除。",
                       "应用方式：第1行为第1位号码,第2行为第二位号码....以此类推"},
                      "一般"));
    c.push_back(
        Fixed({"CheckBox36"},
              {"您把握肯定会出现的号码，即是胆码。", "您可以定胆，并设定出现的个数。号码之间用空格隔开。"},
              "一般"));
    c.push_back(Fixed({"TeCheckBox10"},
                      {"本组号码，可以出现X-Y个。", "组合模块设定方式：", "01 02 03 04 05 06,1,2",
                       "30 31 32 33,2,3", "", "第1行说明01 02 03 04 05 06这组号码会出现1-2个",
                       "第2行说明30 31 32 33这组号码会出现2-3个；",
                       "注：设置方式只能是少至多，不能是多至少。例如：1,2 可以；但 2,1 不可以。"},
                      "一般"));
    return c;
}

} // namespace

const std::vector<HelpEntry>& HelpCatalogue()
{
    static const std::vector<HelpEntry> catalogue = BuildCatalogue();
    return catalogue;
}

const HelpEntry* FindHelpEntry(std::string_view checkBox)
{
    for (const auto& entry : HelpCatalogue())
        for (const auto& box : entry.CheckBoxes)
            if (box == checkBox)
                return &entry;
    return nullptr;
}

std::vector<std::string> HelpLines(const HelpEntry& entry, const HelpInputs& inputs)
{
    std::vector<std::string> lines;
    if (entry.Kind == HelpKind::File || entry.Kind == HelpKind::FileAndValue)
        lines = LoadLines(inputs.Paths.Resolve(entry.File));
    if (entry.Kind == HelpKind::File)
        return lines;
    if (entry.Kind == HelpKind::FileAndValue) {
        lines.emplace_back();
        lines.emplace_back();
        lines.emplace_back("======以下为软件运算结果======");
    }
    if (entry.Value != nullptr)
        lines.push_back(entry.ValueLabel + entry.Value(inputs));
    lines.insert(lines.end(), entry.Lines.begin(), entry.Lines.end());
    lines.emplace_back();
    lines.push_back("运算速度：" + entry.Speed);
    return lines;
}

} // namespace qv
