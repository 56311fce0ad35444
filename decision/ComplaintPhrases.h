#pragma once

#include <QString>

#include <array>

// The words of the complaint statements, read once at start-up: the phrase of
// each statement for the conclusion ("головные боли", from Common/ANS.txt) and
// the statement itself as the questionnaire asks it (Common/ksm.txt).
class ComplaintPhrases {
public:
    static constexpr int ComplaintTextCount = 256;

    // Reads both files of the data folder (code page 1251, CR LF, CR or LF
    // line ends, no trimming, at most 256 lines each). A missing or
    // unreadable file leaves its texts empty.
    static ComplaintPhrases Load();

    // Statement n counted from 1; empty outside the file.
    QString Phrase(int n) const;
    QString Statement(int n) const;

    void SetPhrase(int n, const QString& phrase);

private:
    std::array<QString, ComplaintTextCount> ComplaintTexts;
    std::array<QString, ComplaintTextCount> StatementTexts;
};
