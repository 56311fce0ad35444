#pragma once

#include <QList>

#include <bitset>
#include <memory>
#include <vector>

// A condition of a consultation rule row, written as the physician reads it:
// F(Code::ChestPain) && !O(Specialist::Rheumatologist) && AgeOver(40). It is
// evaluated against the facts of one conclusion, and a trace of a condition
// that holds names the facts it used, so an explanation is always what the
// row itself says.

// What a condition reads of one conclusion.
struct TRuleFacts {
    std::bitset<256> findings; // with the man-over-40 restriction of code 30 applied
    std::bitset<32> observed;
    int age = 0;
    bool male = false;
};

// One fact a holding condition rests on.
struct TReason {
    enum class Kind { Finding, Observed, NotObserved, AgeOver, AgeUnder, Sex };
    Kind kind = Kind::Finding;
    int subject = 0; // finding code, specialist number, age bound, or 1 for a man
    bool operator==(const TReason&) const = default;
};

class TRuleCondition {
public:
    enum class Kind { Finding, Observed, AgeOver, AgeUnder, Sex, All, Any, Not };

    static TRuleCondition Leaf(Kind kind, int subject = 0);

    bool Holds(const TRuleFacts& facts) const;
    // Whether the condition holds; when it does, appends the facts it rests
    // on: every part of an All, the first holding part of an Any, and of a Not
    // only the specialists who do not observe (absent findings go unsaid).
    bool Trace(const TRuleFacts& facts, QList<TReason>& reasons) const;

    friend TRuleCondition operator&&(const TRuleCondition& a, const TRuleCondition& b);
    friend TRuleCondition operator||(const TRuleCondition& a, const TRuleCondition& b);
    friend TRuleCondition operator!(const TRuleCondition& a);

private:
    struct Node;
    static TRuleCondition Combine(Kind kind, const TRuleCondition& a, const TRuleCondition& b);
    void TraceAbsence(QList<TReason>& reasons) const;

    std::shared_ptr<const Node> FNode;
};

// The words of the rule rows.
TRuleCondition F(int code);
TRuleCondition O(int specialist);
TRuleCondition AgeOver(int years);
TRuleCondition AgeUnder(int years);
TRuleCondition Male();
TRuleCondition Female();
