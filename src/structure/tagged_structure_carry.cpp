#include "structure/tagged_structure_carry.h"

#include <map>
#include <set>

#include <qpdf/QPDFNameTreeObjectHelper.hh>
#include <qpdf/QPDFNumberTreeObjectHelper.hh>

#include "structure/input_carry.h"
#include "structure/object_access.h"

namespace {

// Enough for any real document; a larger tree is taken as damage.
constexpr std::size_t MostElements = 500000;

bool isContentReference(QPDFObjectHandle kid) {
    const std::string type = nameOf(entry(kid, "/Type"));
    return type == "/MCR" || type == "/OBJR";
}

// The input's structure elements in document order, each with its parent and
// the page its own marked content is on by default; and for each page the
// elements with content there. Worked out once per input.
struct ElementIndex {
    struct Element {
        QPDFObjectHandle node;
        int parent;  // -1 under the root
        int page;    // its /Pg, or its parent's; -1 for none
    };
    std::vector<Element> elements;
    std::map<QPDFObjGen, int> indexOf;
    std::map<int, std::vector<int>> byPage;

    ElementIndex(InputCarry& input, QPDFObjectHandle root) {
        std::vector<std::pair<QPDFObjectHandle, int>> stack;  // element and its parent's place
        auto pushKids = [&stack](QPDFObjectHandle kids, int parent) {
            std::vector<QPDFObjectHandle> list = kids.isArray() ? kids.getArrayAsVector() : std::vector{kids};
            for (auto kid = list.rbegin(); kid != list.rend(); ++kid)
                if (kid->isDictionary() && !isContentReference(*kid)) stack.emplace_back(*kid, parent);
        };
        pushKids(entry(root, "/K"), -1);
        while (!stack.empty() && elements.size() < MostElements) {
            auto [node, parent] = stack.back();
            stack.pop_back();
            if (node.isIndirect() && !indexOf.emplace(node.getObjGen(), static_cast<int>(elements.size())).second)
                continue;  // met before: a loop or a shared element
            const int place = static_cast<int>(elements.size());
            QPDFObjectHandle pg = node.getKey("/Pg");
            const int page = pg.isIndirect() ? pageOf(input, pg) : parent < 0 ? -1 : elements[parent].page;
            elements.push_back({node, parent, page});
            QPDFObjectHandle kids = node.getKey("/K");
            for (QPDFObjectHandle kid : kids.isArray() ? kids.getArrayAsVector() : std::vector{kids}) {
                if (kid.isInteger()) note(page, place);
                if (isContentReference(kid))
                    note(kid.getKey("/Pg").isIndirect() ? pageOf(input, kid.getKey("/Pg")) : page, place);
            }
            pushKids(kids, place);
        }
        if (elements.size() >= MostElements && !stack.empty()) input.source().note("structure elements beyond the first " + std::to_string(MostElements));
    }

private:
    static int pageOf(InputCarry& input, QPDFObjectHandle page) {
        input.sourcePages();
        return input.source().pageIndex(page.getObjGen());
    }
    void note(int page, int element) {
        if (page < 0) return;
        std::vector<int>& list = byPage[page];
        if (list.empty() || list.back() != element) list.push_back(element);
    }
};

class TreeCarry {
public:
    TreeCarry(InputCarry& input, const ElementIndex& index) : input_(input), index_(index) {}

    // Marks the elements with content on the output's pages and those above them.
    bool markElements() {
        // Only the kept elements are visited, so that each output of a split
        // costs what its pages hold, not the whole tree.
        kept_.clear();
        for (std::size_t position : input_.outputPositions()) {
            auto found = index_.byPage.find(input_.sourcePageAt(position));
            if (found == index_.byPage.end()) continue;
            for (int element : found->second)
                for (int i = element; i >= 0 && kept_.insert(i).second; i = index_.elements[i].parent) {
                }
        }
        return !kept_.empty();
    }

    QPDFObjectHandle copyTree(QPDFObjectHandle root) {
        ForeignCopier& copier = input_.copier();
        QPDFObjectHandle newRoot = input_.output().makeIndirectObject(QPDFObjectHandle::newDictionary());
        newRoot.replaceKey("/Type", QPDFObjectHandle::newName("/StructTreeRoot"));
        // Every kept element gets its object first, so that references among
        // them (and from attributes) find it; the others are not carried.
        copies_.clear();
        for (int i : kept_) {
            QPDFObjectHandle copy = input_.output().makeIndirectObject(QPDFObjectHandle::newDictionary());
            copies_.emplace(i, copy);
            if (index_.elements[i].node.isIndirect()) copier.map(index_.elements[i].node.getObjGen(), copy);
        }
        copier.setAdmission([this](QPDFObjectHandle object) {
            auto found = index_.indexOf.find(object.getObjGen());
            return found == index_.indexOf.end() || kept_.count(found->second) > 0;
        });
        QPDFObjectHandle top = QPDFObjectHandle::newArray();
        for (int i : kept_) {
            const int parent = index_.elements[i].parent;
            fillElement(i, parent < 0 ? newRoot : copies_.at(parent));
            if (parent < 0) top.appendItem(copies_.at(i));
        }
        newRoot.replaceKey("/K", top);
        for (const char* key : {"/RoleMap", "/ClassMap"})
            if (root.getKey(key).isDictionary()) newRoot.replaceKey(key, copier.copy(root.getKey(key)));
        copyIdentifiers(root, newRoot);
        copier.setAdmission(nullptr);
        return newRoot;
    }

    QPDFObjectHandle copyOf(QPDFObjectHandle element) const {
        if (!element.isIndirect()) return QPDFObjectHandle::newNull();
        auto found = index_.indexOf.find(element.getObjGen());
        if (found == index_.indexOf.end()) return QPDFObjectHandle::newNull();
        auto copy = copies_.find(found->second);
        return copy == copies_.end() ? QPDFObjectHandle::newNull() : copy->second;
    }

private:
    void fillElement(int i, QPDFObjectHandle parent) {
        const ElementIndex::Element& source = index_.elements[i];
        QPDFObjectHandle copy = copies_.at(i);
        for (auto& [key, value] : QPDFObjectHandle(source.node).ditems()) {
            if (key == "/K" || key == "/P" || key == "/Pg") continue;
            QPDFObjectHandle copied = input_.copier().copy(value);
            if (!copied.isNull()) copy.replaceKey(key, copied);
        }
        copy.replaceKey("/P", parent);
        QPDFObjectHandle page = input_.outputPageOf(source.page);
        if (!page.isNull() && QPDFObjectHandle(source.node).hasKey("/Pg")) copy.replaceKey("/Pg", page);
        QPDFObjectHandle kids = QPDFObjectHandle::newArray();
        QPDFObjectHandle sourceKids = QPDFObjectHandle(source.node).getKey("/K");
        for (QPDFObjectHandle kid : sourceKids.isArray() ? sourceKids.getArrayAsVector() : std::vector{sourceKids}) {
            QPDFObjectHandle carried = carryKid(kid, page, i);
            if (!carried.isNull()) kids.appendItem(carried);
        }
        if (kids.getArrayNItems() == 1) copy.replaceKey("/K", kids.getArrayItem(0));
        else if (kids.getArrayNItems() > 1) copy.replaceKey("/K", kids);
    }

    // A kid of element i in the output: marked content of a page the output
    // holds, a reference to a carried annotation, a kept element met first
    // beneath i (not one shared with another element or above i); else null.
    QPDFObjectHandle carryKid(QPDFObjectHandle kid, QPDFObjectHandle elementPage, int i) {
        if (kid.isInteger()) return elementPage.isNull() ? QPDFObjectHandle::newNull() : kid.shallowCopy();
        if (!kid.isDictionary()) return QPDFObjectHandle::newNull();
        if (!isContentReference(kid)) {
            auto found = kid.isIndirect() ? index_.indexOf.find(kid.getObjGen()) : index_.indexOf.end();
            const bool ownKid = found != index_.indexOf.end() && index_.elements[found->second].parent == i;
            return ownKid ? copyOf(kid) : QPDFObjectHandle::newNull();
        }
        QPDFObjectHandle page = kid.hasKey("/Pg") ? input_.outputPageOf(kid.getKey("/Pg")) : elementPage;
        if (page.isNull()) return QPDFObjectHandle::newNull();
        QPDFObjectHandle carried = QPDFObjectHandle::newDictionary();
        carried.replaceKey("/Type", kid.getKey("/Type").shallowCopy());
        if (kid.hasKey("/Pg")) carried.replaceKey("/Pg", page);
        if (nameOf(kid.getKey("/Type")) == "/MCR") {
            // Marked content inside a form XObject would need PDFium's copy of it.
            if (kid.hasKey("/Stm") || !kid.getKey("/MCID").isInteger()) return QPDFObjectHandle::newNull();
            carried.replaceKey("/MCID", kid.getKey("/MCID").shallowCopy());
            return carried;
        }
        QPDFObjectHandle object = kid.getKey("/Obj");
        QPDFObjectHandle annotation =
            object.isIndirect() ? input_.copier().mapped(object.getObjGen()) : QPDFObjectHandle();
        if (!annotation.isInitialized() || !annotation.isDictionary()) return QPDFObjectHandle::newNull();
        carried.replaceKey("/Obj", annotation);
        return carried;
    }

    void copyIdentifiers(QPDFObjectHandle root, QPDFObjectHandle newRoot) {
        QPDFObjectHandle tree = root.getKey("/IDTree");
        if (!tree.isDictionary()) return;
        QPDFObjectHandle names = QPDFObjectHandle::newArray();
        for (auto& [name, element] : QPDFNameTreeObjectHelper(tree, input_.source().pdf(), false)) {
            QPDFObjectHandle copy = copyOf(element);
            if (copy.isNull()) continue;
            names.appendItem(QPDFObjectHandle::newUnicodeString(name));
            names.appendItem(copy);
        }
        if (names.getArrayNItems() == 0) return;
        QPDFObjectHandle identifiers = QPDFObjectHandle::newDictionary();
        identifiers.replaceKey("/Names", names);
        newRoot.replaceKey("/IDTree", identifiers);
    }

    InputCarry& input_;
    const ElementIndex& index_;
    std::set<int> kept_;                     // places in the index, in document order
    std::map<int, QPDFObjectHandle> copies_;  // place -> the kept element's copy
};

// The copy of a parent tree entry: an array of elements by marked-content
// number, or one element.
QPDFObjectHandle carryEntry(QPDFObjectHandle value, const TreeCarry& tree) {
    if (!value.isArray()) return tree.copyOf(value);
    QPDFObjectHandle carried = QPDFObjectHandle::newArray();
    for (QPDFObjectHandle element : value.aitems()) carried.appendItem(tree.copyOf(element));
    return carried;
}

}  // namespace

TaggedStructure collectTaggedStructure(InputCarry& input, const PageAnnotations& annotations) {
    TaggedStructure tagged;
    QPDFObjectHandle catalog = input.source().catalog();
    QPDFObjectHandle root = entry(catalog, "/StructTreeRoot");
    if (!root.isDictionary()) return tagged;
    const ElementIndex& index = input.source().remembered<ElementIndex>([&] { return ElementIndex(input, root); });
    TreeCarry tree(input, index);
    if (!tree.markElements()) return tagged;
    tagged.root = tree.copyTree(root);

    // The parent tree, numbered anew in output order.
    QPDFObjectHandle sourceTree = root.getKey("/ParentTree");
    std::unique_ptr<QPDFNumberTreeObjectHelper> parents;
    if (sourceTree.isDictionary())
        parents = std::make_unique<QPDFNumberTreeObjectHelper>(sourceTree, input.source().pdf(), false);
    auto entryFor = [&](QPDFObjectHandle key) {
        QPDFObjectHandle found;
        if (!parents || !key.isInteger() || !parents->findObject(key.getIntValue(), found))
            return QPDFObjectHandle::newNull();
        return carryEntry(found, tree);
    };
    QPDFObjectHandle numbers = QPDFObjectHandle::newArray();
    long long next = 0;
    auto add = [&](QPDFObjectHandle value) {
        numbers.appendItem(QPDFObjectHandle::newInteger(next));
        numbers.appendItem(value);
        return next++;
    };
    // A repeated page's content and annotations stay unmarked: the elements
    // name the first copy.
    std::set<int> seen;
    std::set<std::size_t> repeated;
    const std::vector<QPDFObjectHandle>& sourcePages = input.sourcePages();
    for (std::size_t position : input.outputPositions()) {
        const int page = input.sourcePageAt(position);
        if (!seen.insert(page).second) repeated.insert(position);
        const bool marked =
            !repeated.count(position) && page >= 0 && static_cast<std::size_t>(page) < sourcePages.size();
        QPDFObjectHandle value =
            marked ? entryFor(QPDFObjectHandle(sourcePages[static_cast<std::size_t>(page)]).getKey("/StructParents"))
                   : QPDFObjectHandle::newNull();
        tagged.pageKeys.emplace_back(input.target().pages[position], value.isNull() ? -1 : add(value));
    }
    for (const auto& [position, list] : annotations)
        for (QPDFObjectHandle annotation : list) {
            if (!annotation.hasKey("/StructParent")) continue;
            QPDFObjectHandle value =
                repeated.count(position) ? QPDFObjectHandle::newNull() : entryFor(annotation.getKey("/StructParent"));
            if (value.isNull())
                annotation.removeKey("/StructParent");
            else
                annotation.replaceKey("/StructParent", QPDFObjectHandle::newInteger(add(value)));
        }
    QPDFObjectHandle parentTree = QPDFObjectHandle::newDictionary();
    parentTree.replaceKey("/Nums", numbers);
    tagged.root.replaceKey("/ParentTree", input.output().makeIndirectObject(parentTree));
    tagged.root.replaceKey("/ParentTreeNextKey", QPDFObjectHandle::newInteger(next));
    QPDFObjectHandle markInfo = entry(catalog, "/MarkInfo");
    tagged.markInfo = markInfo.isDictionary() ? input.copier().copy(markInfo) : QPDFObjectHandle::parse("<< >>");
    tagged.markInfo.replaceKey("/Marked", QPDFObjectHandle::newBool(true));
    return tagged;
}

void writeTaggedStructure(QPDF& output, const std::vector<QPDFObjectHandle>& pages, const TaggedStructure& tagged) {
    TaggedStructure carried = tagged;
    if (carried.root.isNull()) {
        for (QPDFObjectHandle page : pages) page.removeKey("/StructParents");
        return;
    }
    for (auto& [page, key] : carried.pageKeys) {
        if (key < 0)
            page.removeKey("/StructParents");
        else
            page.replaceKey("/StructParents", QPDFObjectHandle::newInteger(key));
    }
    output.getRoot().replaceKey("/StructTreeRoot", carried.root);
    output.getRoot().replaceKey("/MarkInfo", carried.markInfo);
}
