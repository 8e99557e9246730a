#include "framework/ui/CmdTarget.h"

void CCmdTarget::OnCommand(UINT id, std::function<void()> handler) { m_commands[id] = std::move(handler); }

void CCmdTarget::OnCommandRange(UINT first, UINT last, std::function<void(UINT)> handler)
{
    m_ranges.push_back({first, last, std::move(handler), {}});
}

void CCmdTarget::OnUpdateCommand(UINT id, std::function<void(CCmdUI*)> handler) { m_updates[id] = std::move(handler); }

void CCmdTarget::OnUpdateCommandRange(UINT first, UINT last, std::function<void(CCmdUI*)> handler)
{
    m_ranges.push_back({first, last, {}, std::move(handler)});
}

BOOL CCmdTarget::DispatchOwn(UINT id, CmdMode mode, CCmdUI* pUI)
{
    if (mode == CmdMode::Update) {
        if (auto it = m_updates.find(id); it != m_updates.end()) {
            if (pUI)
                it->second(pUI);
            return TRUE;
        }
        for (auto& r : m_ranges)
            if (r.update && id >= r.first && id <= r.last) {
                if (pUI)
                    r.update(pUI);
                return TRUE;
            }
        return FALSE;
    }
    if (auto it = m_commands.find(id); it != m_commands.end()) {
        if (mode == CmdMode::Execute) {
            auto handler = it->second; // the handler may change the map
            handler();
        }
        return TRUE;
    }
    for (auto& r : m_ranges)
        if (r.command && id >= r.first && id <= r.last) {
            if (mode == CmdMode::Execute) {
                auto handler = r.command;
                handler(id);
            }
            return TRUE;
        }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, CmdMode mode, CCmdUI* pUI) { return DispatchOwn(id, mode, pUI); }

BOOL ExecuteCommand(CCmdTarget* target, UINT id)
{
    return target && target->OnCmdMsg(id, CmdMode::Execute, nullptr);
}

void UpdateCommand(CCmdTarget* target, CCmdUI& ui, bool disableIfNoHandler)
{
    if (!target)
        return;
    if (target->OnCmdMsg(ui.m_nID, CmdMode::Update, &ui))
        return;
    if (disableIfNoHandler)
        ui.Enable(target->OnCmdMsg(ui.m_nID, CmdMode::Probe, nullptr));
}
