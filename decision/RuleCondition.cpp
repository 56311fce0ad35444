#include "decision/RuleCondition.h"

#include <algorithm>

struct TRuleCondition::Node {
    Kind kind = Kind::Finding;
    int subject = 0;
    std::vector<TRuleCondition> parts;
};

TRuleCondition TRuleCondition::Leaf(Kind kind, int subject)
{
    TRuleCondition condition;
    condition.FNode = std::make_shared<const Node>(Node { kind, subject, {} });
    return condition;
}

TRuleCondition TRuleCondition::Combine(Kind kind, const TRuleCondition& a, const TRuleCondition& b)
{
    Node node { kind, 0, {} };
    // a && b && c reads as one All of three parts, so that a trace follows the row's own order.
    for (const TRuleCondition* part : { &a, &b }) {
        if (part->FNode->kind == kind)
            node.parts.insert(node.parts.end(), part->FNode->parts.begin(), part->FNode->parts.end());
        else
            node.parts.push_back(*part);
    }
    TRuleCondition condition;
    condition.FNode = std::make_shared<const Node>(std::move(node));
    return condition;
}

TRuleCondition operator&&(const TRuleCondition& a, const TRuleCondition& b)
{
    return TRuleCondition::Combine(TRuleCondition::Kind::All, a, b);
}

TRuleCondition operator||(const TRuleCondition& a, const TRuleCondition& b)
{
    return TRuleCondition::Combine(TRuleCondition::Kind::Any, a, b);
}

TRuleCondition operator!(const TRuleCondition& a)
{
    TRuleCondition condition;
    condition.FNode = std::make_shared<const TRuleCondition::Node>(
        TRuleCondition::Node { TRuleCondition::Kind::Not, 0, { a } });
    return condition;
}

bool TRuleCondition::Holds(const TRuleFacts& facts) const
{
    const Node& n = *FNode;
    const auto holds = [&facts](const TRuleCondition& part) { return part.Holds(facts); };
    switch (n.kind) {
    case Kind::Finding:
        return facts.findings.test(size_t(n.subject));
    case Kind::Observed:
        return facts.observed.test(size_t(n.subject));
    case Kind::AgeOver:
        return facts.age > n.subject;
    case Kind::AgeUnder:
        return facts.age < n.subject;
    case Kind::Sex:
        return facts.male == (n.subject == 1);
    case Kind::All:
        return std::all_of(n.parts.begin(), n.parts.end(), holds);
    case Kind::Any:
        return std::any_of(n.parts.begin(), n.parts.end(), holds);
    case Kind::Not:
        return !n.parts.front().Holds(facts);
    }
    return false;
}

bool TRuleCondition::Trace(const TRuleFacts& facts, QList<TReason>& reasons) const
{
    if (!Holds(facts))
        return false;
    const Node& n = *FNode;
    switch (n.kind) {
    case Kind::Finding:
        reasons << TReason { TReason::Kind::Finding, n.subject };
        break;
    case Kind::Observed:
        reasons << TReason { TReason::Kind::Observed, n.subject };
        break;
    case Kind::AgeOver:
        reasons << TReason { TReason::Kind::AgeOver, n.subject };
        break;
    case Kind::AgeUnder:
        reasons << TReason { TReason::Kind::AgeUnder, n.subject };
        break;
    case Kind::Sex:
        reasons << TReason { TReason::Kind::Sex, n.subject };
        break;
    case Kind::All:
        for (const TRuleCondition& part : n.parts)
            part.Trace(facts, reasons);
        break;
    case Kind::Any:
        for (const TRuleCondition& part : n.parts) {
            if (part.Trace(facts, reasons))
                break;
        }
        break;
    case Kind::Not:
        n.parts.front().TraceAbsence(reasons);
        break;
    }
    return true;
}

// A Not that holds: its part is false throughout, so every specialist named in
// it is one who does not observe.
void TRuleCondition::TraceAbsence(QList<TReason>& reasons) const
{
    const Node& n = *FNode;
    if (n.kind == Kind::Observed)
        reasons << TReason { TReason::Kind::NotObserved, n.subject };
    else if (n.kind == Kind::Any)
        for (const TRuleCondition& part : n.parts)
            part.TraceAbsence(reasons);
}

TRuleCondition F(int code)
{
    return TRuleCondition::Leaf(TRuleCondition::Kind::Finding, code);
}

TRuleCondition O(int specialist)
{
    return TRuleCondition::Leaf(TRuleCondition::Kind::Observed, specialist);
}

TRuleCondition AgeOver(int years)
{
    return TRuleCondition::Leaf(TRuleCondition::Kind::AgeOver, years);
}

TRuleCondition AgeUnder(int years)
{
    return TRuleCondition::Leaf(TRuleCondition::Kind::AgeUnder, years);
}

TRuleCondition Male()
{
    return TRuleCondition::Leaf(TRuleCondition::Kind::Sex, 1);
}

TRuleCondition Female()
{
    return TRuleCondition::Leaf(TRuleCondition::Kind::Sex, 0);
}
