#include "structure/tagged_structure_carry.h"

#include <functional>
#include <map>
#include <set>

#include <qpdf/QPDFNameTreeObjectHelper.hh>
#include <qpdf/QPDFNumberTreeObjectHelper.hh>

#include "structure/form_copies.h"
#include "structure/input_carry.h"
#include "structure/name_trees.h"
#include "structure/object_access.h"
#include "structure/object_sizes.h"

namespace {

// What the walk of a tree reads at most. libqpdf keeps each object it reads
// for as long as the input is open (see ObjectSizes), and each element carried
// is as large again in the output, so a tree made to be absurd is cut. The
// limits are far above what real documents hold (a long tagged book has some
// hundreds of thousands of elements, each object of its tree a few kilobytes):
// a real tree is carried whole, whatever memory it takes.
constexpr std::size_t MostElements = 500000;
constexpr std::size_t MostTreeBytes = std::size_t(256) << 20;  // of the text of the tree's objects, in all
constexpr std::size_t MostObjectBytes = std::size_t(8) << 20;  // of the text of any one of them

const char* const WholeTreeLeftOut = "all structure elements (the tree is too large to read)";
const char* const PageMarksLeftOut = "structure elements of some pages (the tree is too large to read)";

bool isContentReference(QPDFObjectHandle kid) {
    const std::string type = nameOf(entry(kid, "/Type"));
    return type == "/MCR" || type == "/OBJR";
}

ObjectSizes& sizesOf(InputCarry& input) {
    return input.source().remembered<ObjectSizes>([&] { return ObjectSizes(input.source().pdf()); });
}

// Whether an object of the input is small enough to read; a direct one always is.
bool readable(InputCarry& input, QPDFObjectHandle object) {
    return !object.isIndirect() || sizesOf(input).of(object.getObjGen()) <= MostObjectBytes;
}

// The bytes of the input's objects one walk may read, each object at most
// MostObjectBytes; objects packed in one object stream, read together, count once.
class ReadingBudget {
public:
    explicit ReadingBudget(ObjectSizes& sizes) : sizes_(sizes) {}

    // Whether object may be read (it is direct, read with objects before or
    // fits what is left); counts it.
    bool take(QPDFObjectHandle object) {
        if (!object.isIndirect()) return true;
        const int stream = sizes_.streamOf(object.getObjGen());
        if (stream >= 0 && streams_.count(stream)) return true;
        const std::size_t size = sizes_.of(object.getObjGen());
        if (size > MostObjectBytes || size > left_) return false;
        left_ -= size;
        if (stream >= 0) streams_.insert(stream);
        return true;
    }

private:
    ObjectSizes& sizes_;
    std::size_t left_ = MostTreeBytes;
    std::set<int> streams_;
};

// The kids of /K: the items of an array, else /K itself. An indirect /K too
// large to read stays one unread kid.
std::vector<QPDFObjectHandle> itemsOrOne(InputCarry& input, QPDFObjectHandle kids) {
    if (!readable(input, kids)) return {kids};
    return kids.isArray() ? kids.getArrayAsVector() : std::vector{kids};
}

// The input's structure elements in document order, each with its parent and
// the page its own marked content is on by default; and for each page the
// elements with content there. Worked out once per input. An indirect kid is
// weighed before it is read: kids past the reading limits stay unread, and
// the carrying leaves out any kid the walk did not read.
struct ElementIndex {
    struct Element {
        QPDFObjectHandle node;
        int parent;  // -1 under the root
        int page;    // its /Pg, or its parent's; -1 for none
        bool kidsRead;  // false when its /K is an object past the reading limits
    };
    std::vector<Element> elements;
    std::map<QPDFObjGen, int> indexOf;
    std::set<QPDFObjGen> contentReferences;  // indirect kids read that are marked content or references
    std::map<int, std::vector<int>> byPage;

    ElementIndex(InputCarry& input, QPDFObjectHandle root) {
        ReadingBudget budget(sizesOf(input));
        bool cut = false;
        std::vector<std::pair<QPDFObjectHandle, int>> stack;  // a kid not yet read and its parent's place
        auto pushKids = [&stack, &input](QPDFObjectHandle kids, int parent) {
            std::vector<QPDFObjectHandle> list = itemsOrOne(input, kids);
            for (auto kid = list.rbegin(); kid != list.rend(); ++kid)
                if (kid->isIndirect() || (kid->isDictionary() && !isContentReference(*kid))) stack.emplace_back(*kid, parent);
        };
        pushKids(entry(root, "/K"), -1);
        while (!stack.empty()) {
            auto [node, parent] = stack.back();
            stack.pop_back();
            const int parentPage = parent < 0 ? -1 : elements[static_cast<std::size_t>(parent)].page;
            if (node.isIndirect()) {
                const QPDFObjGen id = node.getObjGen();
                if (indexOf.count(id)) continue;  // met before: a loop or a shared element
                if (contentReferences.count(id)) {
                    noteContent(input, node, parentPage, parent);
                    continue;
                }
                if (elements.size() >= MostElements || !budget.take(node)) {
                    cut = true;
                    continue;
                }
                if (node.isInteger() || isContentReference(node)) {
                    contentReferences.insert(id);
                    noteContent(input, node, parentPage, parent);
                    continue;
                }
                if (!node.isDictionary()) continue;
                indexOf.emplace(id, static_cast<int>(elements.size()));
            } else if (elements.size() >= MostElements) {
                cut = true;
                continue;
            }
            const int place = static_cast<int>(elements.size());
            QPDFObjectHandle pg = node.getKey("/Pg");
            const int page = pg.isIndirect() ? pageOf(input, pg) : parentPage;
            QPDFObjectHandle kids = node.getKey("/K");
            const bool kidsRead = budget.take(kids);
            elements.push_back({node, parent, page, kidsRead});
            if (!kidsRead) {
                cut = true;
                continue;
            }
            for (QPDFObjectHandle kid : itemsOrOne(input, kids))
                if (!kid.isIndirect() && (kid.isInteger() || isContentReference(kid))) noteContent(input, kid, page, place);
            pushKids(kids, place);
        }
        if (cut)
            input.source().note(elements.empty() ? WholeTreeLeftOut
                                                 : "structure elements beyond the first " + std::to_string(elements.size()));
    }

private:
    static int pageOf(InputCarry& input, QPDFObjectHandle page) {
        input.sourcePages();
        return input.source().pageIndex(page.getObjGen());
    }
    // Marked content of an element (an MCID or a content reference): the
    // element has content on its page.
    void noteContent(InputCarry& input, QPDFObjectHandle kid, int elementPage, int element) {
        if (kid.isInteger()) note(elementPage, element);
        else if (kid.getKey("/Pg").isIndirect()) note(pageOf(input, kid.getKey("/Pg")), element);
        else note(elementPage, element);
    }
    void note(int page, int element) {
        if (page < 0 || element < 0) return;
        std::vector<int>& list = byPage[page];
        if (list.empty() || list.back() != element) list.push_back(element);
    }
};

class TreeCarry {
public:
    TreeCarry(InputCarry& input, const ElementIndex& index, FormCopies& forms)
        : input_(input), index_(index), forms_(forms) {}

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

    std::vector<QPDFObjectHandle> copies() const {
        std::vector<QPDFObjectHandle> all;
        for (const auto& [place, copy] : copies_) all.push_back(copy);
        return all;
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
        QPDFObjectHandle sourceKids =
            source.kidsRead ? QPDFObjectHandle(source.node).getKey("/K") : QPDFObjectHandle::newNull();
        for (QPDFObjectHandle kid : itemsOrOne(input_, sourceKids)) {
            QPDFObjectHandle carried = carryKid(kid, page, source.page, i);
            if (!carried.isNull()) kids.appendItem(carried);
        }
        if (kids.getArrayNItems() == 1) copy.replaceKey("/K", kids.getArrayItem(0));
        else if (kids.getArrayNItems() > 1) copy.replaceKey("/K", kids);
    }

    // A kid of element i in the output: marked content of a page the output
    // holds (or of a form XObject it draws), a reference to a carried
    // annotation, a kept element met first beneath i (not one shared with
    // another element or above i); else null. elementPage and sourcePage are
    // the element's page in the output and in the input.
    QPDFObjectHandle carryKid(QPDFObjectHandle kid, QPDFObjectHandle elementPage, int sourcePage, int i) {
        if (kid.isIndirect()) {
            // Known from the walk without reading it again; a kid it left unread is left out.
            auto found = index_.indexOf.find(kid.getObjGen());
            if (found != index_.indexOf.end())
                return index_.elements[static_cast<std::size_t>(found->second)].parent == i ? copyOf(kid)
                                                                                              : QPDFObjectHandle::newNull();
            if (!index_.contentReferences.count(kid.getObjGen())) return QPDFObjectHandle::newNull();
        }
        if (kid.isInteger()) return elementPage.isNull() ? QPDFObjectHandle::newNull() : kid.shallowCopy();
        if (!kid.isDictionary() || !isContentReference(kid)) return QPDFObjectHandle::newNull();
        QPDFObjectHandle page = kid.hasKey("/Pg") ? input_.outputPageOf(kid.getKey("/Pg")) : elementPage;
        if (page.isNull()) return QPDFObjectHandle::newNull();
        QPDFObjectHandle carried = QPDFObjectHandle::newDictionary();
        carried.replaceKey("/Type", kid.getKey("/Type").shallowCopy());
        if (kid.hasKey("/Pg")) carried.replaceKey("/Pg", page);
        if (nameOf(kid.getKey("/Type")) == "/MCR") {
            if (!kid.getKey("/MCID").isInteger()) return QPDFObjectHandle::newNull();
            if (kid.hasKey("/Stm")) {
                // Marked content of a form XObject: PDFium's copy of the form on that page.
                if (kid.hasKey("/Pg")) sourcePage = sourcePageOf(kid.getKey("/Pg"));
                QPDFObjectHandle form = forms_.copyOf(sourcePage, kid.getKey("/Stm"));
                if (form.isNull()) return QPDFObjectHandle::newNull();
                carried.replaceKey("/Stm", form);
            }
            carried.replaceKey("/MCID", kid.getKey("/MCID").shallowCopy());
            return carried;
        }
        QPDFObjectHandle object = kid.getKey("/Obj");
        QPDFObjectHandle annotation =
            object.isIndirect() ? input_.copier().mapped(object.getObjGen()) : QPDFObjectHandle();
        // A form XObject as a whole can be an element's content too.
        if (object.isStream())
            annotation = forms_.copyOf(kid.hasKey("/Pg") ? sourcePageOf(kid.getKey("/Pg")) : sourcePage, object);
        if (!annotation.isInitialized() || !(annotation.isDictionary() || annotation.isStream()))
            return QPDFObjectHandle::newNull();
        carried.replaceKey("/Obj", annotation);
        return carried;
    }

    // The 0-based input page of a /Pg (a page, or a page number as some writers put it); -1 for none.
    int sourcePageOf(QPDFObjectHandle page) {
        if (page.isInteger()) return page.getIntValueAsInt();
        if (!page.isIndirect()) return -1;
        input_.sourcePages();
        return input_.source().pageIndex(page.getObjGen());
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
    FormCopies& forms_;
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
    if (!readable(input, root)) {
        // Tagged, but nothing of the tree is read: the keys the pages, forms
        // and annotations have go below.
        input.source().note(WholeTreeLeftOut);
        root = QPDFObjectHandle::parse("<< /Type /StructTreeRoot >>");
    }
    tagged.untagged = !root.isDictionary();
    if (tagged.untagged) return tagged;
    const ElementIndex& index = input.source().remembered<ElementIndex>([&] { return ElementIndex(input, root); });
    FormCopies forms(input);
    TreeCarry tree(input, index, forms);
    // Without elements on the output's pages, the keys PDFium copied with the
    // pages, forms and annotations are still taken off below: they would
    // point into another input's parent tree.
    const bool kept = tree.markElements();
    if (kept) {
        tagged.root = tree.copyTree(root);
        tagged.elements = tree.copies();
    }

    // The parent tree, numbered anew in output order.
    QPDFObjectHandle sourceTree = root.getKey("/ParentTree");
    std::unique_ptr<QPDFNumberTreeObjectHelper> parents;
    if (sourceTree.isDictionary())
        parents = std::make_unique<QPDFNumberTreeObjectHelper>(sourceTree, input.source().pdf(), false);
    // Entries are read within a budget of their own for each output: a page's
    // entry lists every element with content on it.
    ReadingBudget budget(sizesOf(input));
    auto entryFor = [&](QPDFObjectHandle key) {
        QPDFObjectHandle found;
        if (!parents || !key.isInteger() || !parents->findObject(key.getIntValue(), found))
            return QPDFObjectHandle::newNull();
        if (!budget.take(found)) {
            input.source().note(PageMarksLeftOut);
            return QPDFObjectHandle::newNull();
        }
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
    std::set<QPDFObjGen> keyedForms;
    const std::vector<QPDFObjectHandle>& sourcePages = input.sourcePages();
    for (std::size_t position : input.outputPositions()) {
        const int page = input.sourcePageAt(position);
        if (!seen.insert(page).second) repeated.insert(position);
        const bool marked =
            kept && !repeated.count(position) && page >= 0 && static_cast<std::size_t>(page) < sourcePages.size();
        // A page none of whose elements the walk read gets no entry: it would list none.
        QPDFObjectHandle value =
            marked && index.byPage.count(page) ? entryFor(QPDFObjectHandle(sourcePages[static_cast<std::size_t>(page)]).getKey("/StructParents"))
                   : QPDFObjectHandle::newNull();
        tagged.pageKeys.emplace_back(input.target().pages[position], value.isNull() ? -1 : add(value));
        // The form XObjects the page draws with marked content of their own
        // (/StructParents) or that are an element's content (/StructParent,
        // numbered as an annotation's); a form drawn again keeps the number
        // it got first.
        for (const auto& [form, copy] : forms.drawnOn(position)) {
            if (!keyedForms.insert(copy.getObjGen()).second) continue;
            auto number = [&, form = form, copy = copy](const char* key, KeyList& keys) {
                if (!entry(form, key).isInteger() && !entry(copy, key).isInteger()) return;
                QPDFObjectHandle formValue = marked ? entryFor(entry(form, key)) : QPDFObjectHandle::newNull();
                keys.emplace_back(QPDFObjectHandle(copy).getDict(), formValue.isNull() ? -1 : add(formValue));
            };
            number("/StructParents", tagged.formKeys);
            number("/StructParent", tagged.annotationKeys);
        }
    }
    for (const auto& [position, list] : annotations)
        for (QPDFObjectHandle annotation : list) {
            if (!annotation.hasKey("/StructParent")) continue;
            QPDFObjectHandle value =
                !kept || repeated.count(position) ? QPDFObjectHandle::newNull()
                                                  : entryFor(annotation.getKey("/StructParent"));
            if (value.isNull())
                annotation.removeKey("/StructParent");
            else
                tagged.annotationKeys.emplace_back(annotation, add(value));
        }
    if (!kept) return tagged;
    QPDFObjectHandle parentTree = QPDFObjectHandle::newDictionary();
    parentTree.replaceKey("/Nums", numbers);
    tagged.root.replaceKey("/ParentTree", input.output().makeIndirectObject(parentTree));
    tagged.root.replaceKey("/ParentTreeNextKey", QPDFObjectHandle::newInteger(next));
    QPDFObjectHandle markInfo = entry(catalog, "/MarkInfo");
    tagged.markInfo = markInfo.isDictionary() ? input.copier().copy(markInfo) : QPDFObjectHandle::parse("<< >>");
    tagged.markInfo.replaceKey("/Marked", QPDFObjectHandle::newBool(true));
    if (entry(catalog, "/Lang").isString()) tagged.language = input.copier().copy(catalog.getKey("/Lang"));
    return tagged;
}

namespace {

// Adds a part's role or class map to the merged one; a name the map holds
// with another value already is renamed, and rename puts the new name where
// the part's elements use the old one.
void mergeMap(QPDFObjectHandle merged, QPDFObjectHandle part,
              const std::function<void(const std::string& from, const std::string& to)>& rename) {
    if (!part.isDictionary()) return;
    for (auto& [name, value] : part.ditems()) {
        if (!merged.hasKey(name)) {
            merged.replaceKey(name, value);
        } else if (merged.getKey(name).unparseResolved() != value.unparseResolved()) {
            const std::string fresh =
                uniqueName(name, [&merged](const std::string& candidate) { return merged.hasKey(candidate); });
            merged.replaceKey(fresh, value);
            rename(name, fresh);
        }
    }
}

// Renames the structure type of elements from one name to another.
void renameType(const std::vector<QPDFObjectHandle>& elements, const std::string& from, const std::string& to) {
    for (QPDFObjectHandle element : elements)
        if (nameOf(element.getKey("/S")) == from) element.replaceKey("/S", QPDFObjectHandle::newName(to));
}

// Renames a class in the /C of elements (a name, or an array of names and revision numbers).
void renameClass(const std::vector<QPDFObjectHandle>& elements, const std::string& from, const std::string& to) {
    for (QPDFObjectHandle element : elements) {
        QPDFObjectHandle classes = element.getKey("/C");
        if (nameOf(classes) == from) element.replaceKey("/C", QPDFObjectHandle::newName(to));
        if (!classes.isArray()) continue;
        for (int i = 0; i < classes.getArrayNItems(); ++i)
            if (nameOf(classes.getArrayItem(i)) == from) classes.setArrayItem(i, QPDFObjectHandle::newName(to));
    }
}

void setKeys(const KeyList& keys, const char* key, long long offset) {
    for (auto [object, number] : keys) {
        if (number < 0)
            object.removeKey(key);
        else
            object.replaceKey(key, QPDFObjectHandle::newInteger(number + offset));
    }
}

// The trees of several inputs under one root: see writeTaggedStructure.
QPDFObjectHandle mergedRoot(QPDF& output, const std::vector<TaggedStructure*>& parts) {
    QPDFObjectHandle root = output.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /StructTreeRoot >>"));
    QPDFObjectHandle document =
        output.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /StructElem /S /Document >>"));
    document.replaceKey("/P", root);
    root.replaceKey("/K", document);
    QPDFObjectHandle roles = QPDFObjectHandle::newDictionary(), classes = QPDFObjectHandle::newDictionary();
    QPDFObjectHandle numbers = QPDFObjectHandle::newArray(), partElements = QPDFObjectHandle::newArray();
    NameTreeEntries identifiers;
    std::set<std::string> languages;
    for (TaggedStructure* part : parts)
        languages.insert(part->language.isString() ? part->language.getUTF8Value() : "");
    long long offset = 0;
    for (TaggedStructure* part : parts) {
        QPDFObjectHandle element =
            output.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /StructElem /S /Part >>"));
        element.replaceKey("/P", document);
        QPDFObjectHandle kids = part->root.getKey("/K");
        for (QPDFObjectHandle kid : itemsOf(kids))
            if (kid.isDictionary()) kid.replaceKey("/P", element);
        element.replaceKey("/K", kids.isArray() ? kids : QPDFObjectHandle::newArray());
        if (languages.size() > 1 && part->language.isString()) element.replaceKey("/Lang", part->language);
        partElements.appendItem(element);

        mergeMap(roles, part->root.getKey("/RoleMap"),
                 [part](const std::string& from, const std::string& to) { renameType(part->elements, from, to); });
        mergeMap(classes, part->root.getKey("/ClassMap"),
                 [part](const std::string& from, const std::string& to) { renameClass(part->elements, from, to); });
        // Both lists were made by collectTaggedStructure: strings or numbers, each followed by its value.
        std::vector<QPDFObjectHandle> names = itemsOf(entry(part->root.getKey("/IDTree"), "/Names"));
        for (std::size_t i = 0; i + 1 < names.size(); i += 2) {
            const std::string name = names[i].getUTF8Value();
            identifiers.emplace(uniqueName(name, [&](const std::string& taken) { return identifiers.count(taken) > 0; }),
                                names[i + 1]);
        }
        std::vector<QPDFObjectHandle> partNumbers = itemsOf(entry(part->root.getKey("/ParentTree"), "/Nums"));
        for (std::size_t i = 0; i + 1 < partNumbers.size(); i += 2) {
            numbers.appendItem(QPDFObjectHandle::newInteger(partNumbers[i].getIntValue() + offset));
            numbers.appendItem(partNumbers[i + 1]);
        }
        setKeys(part->pageKeys, "/StructParents", offset);
        setKeys(part->formKeys, "/StructParents", offset);
        setKeys(part->annotationKeys, "/StructParent", offset);
        offset += part->root.getKey("/ParentTreeNextKey").getIntValue();
    }
    document.replaceKey("/K", partElements);
    if (!roles.getKeys().empty()) root.replaceKey("/RoleMap", roles);
    if (!classes.getKeys().empty()) root.replaceKey("/ClassMap", classes);
    if (!identifiers.empty()) {
        QPDFObjectHandle names = QPDFObjectHandle::newArray();
        for (const auto& [name, element] : identifiers) {
            names.appendItem(QPDFObjectHandle::newUnicodeString(name));
            names.appendItem(element);
        }
        root.replaceKey("/IDTree", QPDFObjectHandle::newDictionary());
        root.getKey("/IDTree").replaceKey("/Names", names);
    }
    QPDFObjectHandle parentTree = QPDFObjectHandle::newDictionary();
    parentTree.replaceKey("/Nums", numbers);
    root.replaceKey("/ParentTree", output.makeIndirectObject(parentTree));
    root.replaceKey("/ParentTreeNextKey", QPDFObjectHandle::newInteger(offset));
    if (languages.size() == 1 && !languages.begin()->empty() && !output.getRoot().hasKey("/Lang"))
        output.getRoot().replaceKey("/Lang", parts.front()->language);
    return root;
}

}  // namespace

void writeTaggedStructure(QPDF& output, const std::vector<QPDFObjectHandle>& pages,
                          std::vector<TaggedStructure>& parts) {
    std::vector<TaggedStructure*> tagged;
    bool untaggedInput = false;
    for (TaggedStructure& part : parts) {
        if (!part.root.isNull()) tagged.push_back(&part);
        untaggedInput = untaggedInput || part.untagged;
    }
    if (tagged.empty() || untaggedInput) {
        for (QPDFObjectHandle page : pages) page.removeKey("/StructParents");
        for (TaggedStructure& part : parts) {
            for (auto [form, number] : part.formKeys) form.removeKey("/StructParents");
            for (auto [annotation, number] : part.annotationKeys) annotation.removeKey("/StructParent");
        }
        return;
    }
    // A part without elements in the output has keys of -1 only: they go.
    for (TaggedStructure& part : parts)
        if (part.root.isNull()) {
            setKeys(part.pageKeys, "/StructParents", 0);
            setKeys(part.formKeys, "/StructParents", 0);
            setKeys(part.annotationKeys, "/StructParent", 0);
        }
    QPDFObjectHandle root;
    if (tagged.size() == 1) {
        root = tagged.front()->root;
        setKeys(tagged.front()->pageKeys, "/StructParents", 0);
        setKeys(tagged.front()->formKeys, "/StructParents", 0);
        setKeys(tagged.front()->annotationKeys, "/StructParent", 0);
    } else {
        root = mergedRoot(output, tagged);
    }
    output.getRoot().replaceKey("/StructTreeRoot", root);
    output.getRoot().replaceKey("/MarkInfo", tagged.front()->markInfo);
}
