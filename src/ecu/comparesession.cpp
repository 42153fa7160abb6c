#include "ecu/comparesession.h"

namespace qmx::ecu {

text::Status CompareSession::verify(TransferContext& context, EcuDocument& document,
                                    const std::string& filePath) {
    // The panes show what this verify loaded, never the data of an earlier one.
    m_data = CompareData{};
    const text::Status result = ecu::verify(context, document, m_data, m_choice, filePath, m_log);
    if (result == text::msg::Success)
        m_compared = true;
    return result;
}

} // namespace qmx::ecu
