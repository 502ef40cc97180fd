#include "platform/headless/HeadlessFileList.h"

#include "base/PathRules.h"
#include "base/RunError.h"

namespace qm::platform {

HeadlessFileList::HeadlessFileList(const ControlDesign& d, HeadlessWindow* w,
                                   const FileSystem& files, const text::CaseMapper& mapper)
    : HeadlessControlBase(d, w), m_model(files, mapper) {}

void HeadlessFileList::setPath(const std::string& path) {
    m_model.load(withoutTrailingSeparator(path));
}

void HeadlessFileList::refresh() {
    if (!m_model.folder().empty()) {
        m_model.load(m_model.folder());
    }
}

void HeadlessFileList::checkIndex(int index) const {
    if (index < 0 || index >= m_model.count()) {
        throw RunError(kInvalidProcedureCall);
    }
}

std::string HeadlessFileList::list(int index) const {
    checkIndex(index);
    return m_model.name(index);
}

bool HeadlessFileList::selected(int index) const {
    checkIndex(index);
    return m_model.selected(index);
}

void HeadlessFileList::setSelected(int index, bool selected) {
    checkIndex(index);
    m_model.setSelected(index, selected);
}

void HeadlessFileList::click(int index, bool ctrl, bool shift) {
    setFocus();
    m_model.click(index, ctrl, shift);
    raise(onClick);
}

void HeadlessFileList::doubleClick(int index) {
    click(index);
    raise(onDblClick);
}

void HeadlessFileList::clickNames(const std::vector<std::string>& names) {
    for (const auto& name : names) {
        for (int i = 0; i < m_model.count(); ++i) {
            if (m_model.name(i) == name) {
                click(i, true, false);
                break;
            }
        }
    }
}

}  // namespace qm::platform
