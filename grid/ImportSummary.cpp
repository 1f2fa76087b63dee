#include "grid/ImportSummary.h"

ImportSummary SummariseImport(const ImportedRows& read, const std::vector<ImportResult>& results)
{
    std::size_t added = 0;
    std::size_t skipped = 0;
    std::vector<std::string> reasons;
    std::size_t next = 0;
    for (std::size_t i = 0; i < read.rows.size(); ++i) {
        std::string refusal = read.rows[i].refusal;
        if (refusal.empty()) {
            const ImportResult result = next < results.size() ? results[next] : ImportResult{};
            ++next;
            if (result.outcome == ImportOutcome::Added)
                ++added;
            else if (result.outcome == ImportOutcome::Skipped)
                ++skipped;
            else
                refusal = result.reason.empty() ? "не записана" : result.reason;
        }
        if (!refusal.empty())
            reasons.push_back("Запись " + std::to_string(i + 1) + ": " + refusal + ".");
    }
    ImportSummary summary;
    summary.anyRefused = !reasons.empty();
    summary.text = "Добавлено строк: " + std::to_string(added) +
                   ".\nПропущено (такие строки уже есть в таблице): " + std::to_string(skipped) +
                   ".\nНе добавлено: " + std::to_string(reasons.size()) + ".";
    for (std::size_t k = 0; k < reasons.size() && k < ImportReasonsShown; ++k)
        summary.text += (k == 0 ? "\n\n" : "\n") + reasons[k];
    if (reasons.size() > ImportReasonsShown)
        summary.text += "\n...и ещё " + std::to_string(reasons.size() - ImportReasonsShown) + ".";
    return summary;
}
