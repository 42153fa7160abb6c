#include "app/configuration.h"

namespace qmx::app {

Configuration::Configuration() {
    maps.setModifiedHandler([this] { modified = true; });
}

void Configuration::setFile(const std::string& filePath) {
    path = filePath;
    const std::size_t slash = filePath.rfind('/');
    title = slash == std::string::npos ? filePath : filePath.substr(slash + 1);
}

void Configuration::clear() {
    lock.unlock();
    lines.clear();
    maps.clear();
    monitorItems.clear();
    monitorRows.clear();
    damagedRecords = {};
    path.clear();
    title.clear();
    loadedFromPacked = false;
    modified = false;
}

} // namespace qmx::app
