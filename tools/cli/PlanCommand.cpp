// SPDX-License-Identifier: Apache-2.0
#include "tools/cli/PlanCommand.h"

#include "device/ApplySequence.h"
#include "platform/Utf8.h"
#include "tools/cli/CameraCommand.h"
#include "tools/cli/PlanFile.h"

#include <iostream>

namespace {

// What became of one row.
struct PlanOutcome
{
    const PlanRow* row = nullptr;
    std::string result; // "would change", "no change", "confirmed", "differs", "not seen again",
                        // "refused", "not found", "failed"
    std::string reason;
    std::vector<SettingDifference> changes; // applied: the row's value, found: the camera's before
    bool passwordChanges = false;
    CameraInfo target;
    bool applied = false;
    bool answered = true; // false: an applied row's write went unanswered
    SettingsConfirmation confirmation;

    bool Fine() const { return result == "would change" || result == "no change" || result == "confirmed"; }
};

std::string ChangesText(const PlanOutcome& o)
{
    std::string text;
    const char* comma = "";
    for (const SettingDifference& d : o.changes) {
        text += comma + ToUtf8(SettingName(d.setting)) + " " + ToUtf8(d.found) + " -> " + ToUtf8(d.applied);
        comma = ", ";
    }
    if (o.passwordChanges)
        text += std::string(comma) + "new password";
    return text;
}

std::string Detail(const PlanOutcome& o)
{
    if (!o.reason.empty())
        return o.reason;
    const std::string lost = o.answered ? "" : "the answer to a write was lost; ";
    if (o.result == "differs" || o.result == "not seen again")
        return lost + ConfirmationText(o.confirmation);
    return lost + ChangesText(o);
}

void PrintTable(const std::vector<PlanOutcome>& outcomes)
{
    std::cout << "row\tmac\tresult\tdetail\n";
    for (const PlanOutcome& o : outcomes)
        std::cout << o.row->row << "\t" << o.row->mac << "\t" << o.result << "\t" << Detail(o) << "\n";
}

void PrintJson(const std::vector<PlanOutcome>& outcomes, bool dryRun)
{
    std::cout << "{\"dryRun\": " << (dryRun ? "true" : "false") << ", \"rows\": [";
    const char* comma = "\n";
    for (const PlanOutcome& o : outcomes) {
        std::cout << comma << "  {\"row\": " << o.row->row << ", \"mac\": " << JsonString(o.row->mac)
                  << ", \"result\": " << JsonString(o.result) << ", \"reason\": " << JsonString(o.reason)
                  << ", \"changes\": [";
        const char* inner = "";
        for (const SettingDifference& d : o.changes) {
            std::cout << inner << "{\"setting\": " << JsonText(SettingName(d.setting))
                      << ", \"from\": " << JsonText(d.found) << ", \"to\": " << JsonText(d.applied) << "}";
            inner = ", ";
        }
        std::cout << "], \"newPassword\": " << (o.passwordChanges ? "true" : "false");
        if (o.applied)
            std::cout << ", \"answered\": " << (o.answered ? "true" : "false")
                      << ", \"verify\": " << ConfirmationJson(o.confirmation);
        std::cout << "}";
        comma = ",\n";
    }
    std::cout << "\n]}\n";
}

// Finds the row's camera and works out what it would change; sets result when the row stops here.
void Plan(CDeviceManager& manager, const PlanRow& row, PlanOutcome& o)
{
    o.row = &row;
    if (!row.refused.empty()) {
        o.result = "refused";
        o.reason = row.refused;
        return;
    }
    const int index = FindCamera(manager, row.mac);
    if (index < 0) {
        o.result = "not found";
        o.reason = "no camera " + row.mac + " answered the search";
        return;
    }
    CameraInfo current;
    manager.SelectCamera(index, manager.GetIpText(), 0, current);
    if (!PlanTarget(row, current, o.target, o.reason)) {
        o.result = "refused";
        return;
    }
    o.changes = CompareNetworkSettings(o.target, current);
    o.passwordChanges = row.newPassword.has_value();
}

// The row's writes, as the wizard's network apply sends them.
void Apply(CDeviceManager& manager, const PlanRow& row, const std::string& id, const std::string& password,
           PlanOutcome& o)
{
    WizardState state;
    state.camera = o.target;
    state.adminId = row.id.value_or(FromUtf8(id));
    state.adminPassword = row.password.value_or(FromUtf8(password));
    if (row.newPassword) {
        state.changePassword = 1;
        state.newPassword = *row.newPassword;
    }
    manager.TargetIp = o.target.ipCopy;
    OperationContext context{state, manager};
    const int code = ApplyNetwork(context);
    // A write whose answer was lost may have been taken: the search that confirms every row decides.
    o.answered = code == OperationResult::kSuccess;
    if (!o.answered && !(Unanswered(code, context) && state.applyUnconfirmed.writes)) {
        o.result = "failed";
        o.reason = OperationErrorText(code, context.errorDetail);
        return;
    }
    o.applied = true;
}

} // namespace

int RunPlanCommand(const CliArguments& args)
{
    if (args.empty() || args[0].rfind("--", 0) == 0)
        return CliError("plan: the plan file comes first");
    CameraOptions options;
    const CliArguments rest(args.begin() + 1, args.end());
    // --password and its other sources (a file, a variable, standard input, a prompt) give the
    // current password of every row without its own.
    int code = ParseSearchOptions("plan", rest, {}, {"--dry-run"}, options);
    if (code != -1)
        return code;
    if (options.values.count("--mac"))
        return CliError("plan: the cameras' MACs come from the file, not --mac");
    const std::string password = options.Value("--password");
    const PlanFile plan = ReadPlanFile(args[0]);
    if (!plan.error.empty())
        return CliError("plan: " + args[0] + ": " + plan.error);
    const bool dryRun = options.flags.count("--dry-run") > 0;

    auto manager = NewManager(options);
    SearchAndWait(*manager);
    std::vector<PlanOutcome> outcomes(plan.rows.size());
    for (size_t i = 0; i < plan.rows.size(); ++i) {
        PlanOutcome& o = outcomes[i];
        Plan(*manager, plan.rows[i], o);
        if (!o.result.empty())
            continue;
        // A camera that already holds its row is left alone (some models would restart).
        if (o.changes.empty() && !o.passwordChanges)
            o.result = "no change";
        else if (dryRun)
            o.result = "would change";
        else
            Apply(*manager, plan.rows[i], options.Value("--id", "admin"), password, o);
    }
    if (!dryRun) {
        // One search confirms every camera: cameras restarting meanwhile get the whole plan's time.
        SearchAndWait(*manager);
        for (PlanOutcome& o : outcomes) {
            if (!o.applied)
                continue;
            o.confirmation = ConfirmNetworkSettings(*manager, o.target);
            static const char* const results[] = {"confirmed", "differs", "not seen again"};
            o.result = results[o.confirmation.outcome];
        }
    }
    if (options.json)
        PrintJson(outcomes, dryRun);
    else
        PrintTable(outcomes);
    const bool allFine =
        std::all_of(outcomes.begin(), outcomes.end(), [](const PlanOutcome& o) { return o.Fine(); });
    return allFine ? 0 : kExitFailure;
}
