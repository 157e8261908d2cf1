#include "app/PrintScreenFilter.h"

PrintScreenFilter::Action PrintScreenFilter::OnKey(unsigned vk, bool up, bool modifierDown) {
    if (vk != kPrintScreen)
        return Action::Pass;
    const Press press = m_press;
    if (up) {
        m_press = Press::None;
        return press == Press::Taken ? Action::Swallow : Action::Pass;
    }
    switch (press) {
    case Press::Taken: // the key repeats while it is held
        return Action::Swallow;
    case Press::Passed:
        return Action::Pass;
    case Press::None:
        break;
    }
    m_press = modifierDown ? Press::Passed : Press::Taken;
    return modifierDown ? Action::Pass : Action::Shoot;
}
