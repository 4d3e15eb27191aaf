#include "structure/form_carry.h"

#include <algorithm>
#include <map>
#include <string>

#include "structure/input_carry.h"
#include "structure/object_access.h"

namespace {

// Deeper field trees than this are taken as damage.
constexpr int DeepestField = 64;

// The places of the input's top-level fields in its /Fields; worked out once per input.
struct FieldOrder {
    std::map<QPDFObjGen, std::size_t> place;
};

FieldOrder orderOfFields(QPDFObjectHandle form) {
    FieldOrder order;
    for (QPDFObjectHandle field : itemsOf(entry(form, "/Fields")))
        if (field.isIndirect()) order.place.emplace(field.getObjGen(), order.place.size());
    return order;
}

bool isWidget(QPDFObjectHandle annotation) { return nameOf(entry(annotation, "/Subtype")) == "/Widget"; }
bool isField(QPDFObjectHandle object) { return object.hasKey("/T") || object.hasKey("/FT"); }

bool endsName(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\0' || c == '(' || c == ')' ||
           c == '<' || c == '>' || c == '[' || c == ']' || c == '{' || c == '}' || c == '/' || c == '%';
}

// The default appearance text with the names of renamed resources replaced.
std::string renameInAppearance(const std::string& text, const std::map<std::string, std::string>& renamed) {
    std::string result;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '/') {
            result += text[i++];
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && !endsName(text[end])) ++end;
        const std::string name = text.substr(i, end - i);
        auto found = renamed.find(name);
        result += found == renamed.end() ? name : found->second;
        i = end;
    }
    return result;
}

// Adds a part's form resources to the output's. A font whose name is taken
// by another font gets a new name, recorded in renamed; other resources keep
// the first of a name.
void mergeResources(QPDFObjectHandle into, QPDFObjectHandle from, std::map<std::string, std::string>& renamed) {
    if (!from.isDictionary()) return;
    for (auto& [category, resources] : from.ditems()) {
        if (!resources.isDictionary()) {
            if (!into.hasKey(category)) into.replaceKey(category, resources);
            continue;
        }
        if (!into.getKey(category).isDictionary()) into.replaceKey(category, QPDFObjectHandle::newDictionary());
        QPDFObjectHandle present = into.getKey(category);
        for (auto& [name, resource] : resources.ditems()) {
            if (!present.hasKey(name)) {
                present.replaceKey(name, resource);
            } else if (category == "/Font" && !present.getKey(name).isSameObjectAs(resource)) {
                const std::string fresh =
                    uniqueName(name, [&](const std::string& candidate) { return present.hasKey(candidate); });
                present.replaceKey(fresh, resource);
                renamed[name] = fresh;
            }
        }
    }
}

// Renames top-level fields whose names earlier parts used; fields of one
// part that share a name keep sharing it.
void renameClashingRoots(const std::vector<QPDFObjectHandle>& roots, std::set<std::string>& taken) {
    std::set<std::string> own;
    for (QPDFObjectHandle root : roots)
        if (root.getKey("/T").isString()) own.insert(root.getKey("/T").getUTF8Value());
    std::map<std::string, std::string> renamed;
    std::set<std::string> used;
    for (QPDFObjectHandle root : roots) {
        if (!root.getKey("/T").isString()) continue;
        const std::string name = root.getKey("/T").getUTF8Value();
        auto found = renamed.find(name);
        if (found == renamed.end()) {
            const std::string fresh = !taken.count(name) ? name : uniqueName(name, [&](const std::string& candidate) {
                return taken.count(candidate) > 0 || own.count(candidate) > 0 || used.count(candidate) > 0;
            });
            found = renamed.emplace(name, fresh).first;
        }
        used.insert(found->second);
        if (found->second != name) root.replaceKey("/T", QPDFObjectHandle::newUnicodeString(found->second));
    }
    taken.insert(used.begin(), used.end());
}

}  // namespace

FormCarry::FormCarry(InputCarry& input) : input_(input), form_(entry(input.source().catalog(), "/AcroForm")) {}

void FormCarry::keepFieldsOf(const std::vector<QPDFObjectHandle>& widgets) {
    const std::map<QPDFObjGen, std::size_t>& listed =
        input_.source().remembered<FieldOrder>([&] { return orderOfFields(form_); }).place;
    std::vector<QPDFObjectHandle> found;  // tops of the field trees met, in order
    for (QPDFObjectHandle widget : widgets) {
        if (!isIndirectDictionary(widget) || !isWidget(widget)) continue;
        if (!keptSet_.insert(widget.getObjGen()).second) continue;
        kept_.push_back(widget);
        QPDFObjectHandle top = widget;
        for (int depth = 0;; ++depth) {
            if (depth == DeepestField) {
                input_.source().note("fields nested deeper than " + std::to_string(DeepestField) + " levels");
                break;
            }
            QPDFObjectHandle parent = top.getKey("/Parent");
            if (!isIndirectDictionary(parent)) {
                if (isField(top) || listed.count(top.getObjGen())) found.push_back(top);
                break;
            }
            if (!keptSet_.insert(parent.getObjGen()).second) break;  // its tree is known already
            kept_.push_back(parent);
            top = parent;
        }
    }
    // In the input's order of fields; those it does not list after them.
    auto placeOf = [&listed](QPDFObjectHandle root) {
        auto place = listed.find(root.getObjGen());
        return place == listed.end() ? listed.size() : place->second;
    };
    std::stable_sort(found.begin(), found.end(),
                     [&](QPDFObjectHandle a, QPDFObjectHandle b) { return placeOf(a) < placeOf(b); });
    roots_ = found;

    ForeignCopier& copier = input_.copier();
    for (QPDFObjectHandle field : kept_)
        for (QPDFObjectHandle kid : itemsOf(field.getKey("/Kids")))
            if (kid.isIndirect() && !keptSet_.count(kid.getObjGen()))
                copier.map(kid.getObjGen(), QPDFObjectHandle::newNull());
}

std::vector<QPDFObjectHandle> FormCarry::copyAgain(const std::vector<QPDFObjectHandle>& annotations) {
    // The fields above the page's widgets are copied again with them.
    std::vector<QPDFObjectHandle> objects = annotations;
    std::set<QPDFObjGen> added;
    for (QPDFObjectHandle annotation : annotations) {
        if (!isIndirectDictionary(annotation) || !isWidget(annotation)) continue;
        QPDFObjectHandle field = annotation.getKey("/Parent");
        for (int depth = 0; depth < DeepestField && isIndirectDictionary(field) && keptSet_.count(field.getObjGen());
             ++depth, field = field.getKey("/Parent")) {
            if (!added.insert(field.getObjGen()).second) break;
            objects.push_back(field);
        }
    }
    std::vector<QPDFObjectHandle> copies = input_.copier().copyAgain(objects);
    std::set<QPDFObjGen> fresh;
    for (QPDFObjectHandle copy : copies)
        if (copy.isIndirect()) fresh.insert(copy.getObjGen());
    std::vector<QPDFObjectHandle> roots;
    for (std::size_t i = 0; i < copies.size(); ++i) {
        QPDFObjectHandle copy = copies[i];
        if (!copy.isDictionary() || (i < annotations.size() && !isWidget(copy))) continue;
        // Only the copies made here are kids of the fields copied here.
        if (copy.getKey("/Kids").isArray()) {
            QPDFObjectHandle kids = QPDFObjectHandle::newArray();
            for (QPDFObjectHandle kid : copy.getKey("/Kids").aitems())
                if (kid.isIndirect() && fresh.count(kid.getObjGen())) kids.appendItem(kid);
            copy.replaceKey("/Kids", kids);
        }
        QPDFObjectHandle parent = copy.getKey("/Parent");
        if (parent.isDictionary() && !fresh.count(parent.getObjGen())) {
            // Above a field nested too deep to copy: the widget joins the field as it is.
            if (!parent.getKey("/Kids").isArray()) parent.replaceKey("/Kids", QPDFObjectHandle::newArray());
            parent.getKey("/Kids").appendItem(copy);
        } else if (!parent.isDictionary() && isField(copy)) {
            roots.push_back(copy);
        }
        extraMembers_.push_back(copy);
    }
    if (!roots.empty()) repeatedRoots_.push_back(roots);
    copies.resize(annotations.size());
    return copies;
}

FormPart FormCarry::finish() {
    FormPart part;
    if (!form_.isDictionary()) return part;
    ForeignCopier& copier = input_.copier();
    auto copyOf = [&](QPDFObjectHandle field) {
        QPDFObjectHandle copy = copier.mapped(field.getObjGen());
        return copy.isInitialized() && copy.isDictionary() ? copy : QPDFObjectHandle::newNull();
    };
    for (QPDFObjectHandle field : kept_) {
        QPDFObjectHandle copy = copyOf(field);
        if (copy.isNull()) continue;
        if (copy.getKey("/Kids").isArray()) {
            QPDFObjectHandle kids = QPDFObjectHandle::newArray();
            for (QPDFObjectHandle kid : copy.getKey("/Kids").aitems())
                if (kid.isDictionary()) kids.appendItem(kid);
            copy.replaceKey("/Kids", kids);
        }
        // A signature signs the input, not this new document: the field stays, empty.
        if (nameOf(copy.getKey("/FT")) == "/Sig") copy.removeKey("/V");
        part.members.push_back(copy);
    }
    for (QPDFObjectHandle root : roots_)
        if (!copyOf(root).isNull()) part.roots.push_back(copyOf(root));
    part.repeatedRoots = repeatedRoots_;
    part.members.insert(part.members.end(), extraMembers_.begin(), extraMembers_.end());
    for (QPDFObjectHandle field : itemsOf(form_.getKey("/CO")))
        if (field.isIndirect() && keptSet_.count(field.getObjGen()) && !copyOf(field).isNull())
            part.calculationOrder.push_back(copyOf(field));

    QPDFObjectHandle appearance = form_.getKey("/DA");
    part.appearance = appearance.isString() ? copier.copy(appearance) : QPDFObjectHandle::newNull();
    QPDFObjectHandle quadding = form_.getKey("/Q");
    part.quadding = quadding.isInteger() ? copier.copy(quadding) : QPDFObjectHandle::newNull();
    QPDFObjectHandle resources = form_.getKey("/DR");
    part.resources = resources.isDictionary() ? copier.copy(resources) : QPDFObjectHandle::newNull();
    QPDFObjectHandle needAppearances = form_.getKey("/NeedAppearances");
    part.needAppearances = needAppearances.isBool() && needAppearances.getBoolValue();
    return part;
}

void writeForm(QPDF& output, std::vector<FormPart>& parts) {
    QPDFObjectHandle fields = QPDFObjectHandle::newArray();
    QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
    QPDFObjectHandle calculationOrder = QPDFObjectHandle::newArray();
    QPDFObjectHandle form = QPDFObjectHandle::newDictionary();
    std::set<std::string> taken;
    bool needAppearances = false, first = true;
    for (FormPart& part : parts) {
        if (part.roots.empty()) continue;
        // Each further copy of a repeated page has fields of its own, named as those of another file.
        renameClashingRoots(part.roots, taken);
        for (const std::vector<QPDFObjectHandle>& roots : part.repeatedRoots) {
            renameClashingRoots(roots, taken);
            part.roots.insert(part.roots.end(), roots.begin(), roots.end());
        }
        std::map<std::string, std::string> renamedFonts;
        mergeResources(resources, part.resources, renamedFonts);
        if (!renamedFonts.empty())
            for (QPDFObjectHandle member : part.members)
                if (member.getKey("/DA").isString())
                    member.replaceKey("/DA", QPDFObjectHandle::newString(renameInAppearance(
                                                 member.getKey("/DA").getStringValue(), renamedFonts)));
        QPDFObjectHandle appearance =
            part.appearance.isString()
                ? QPDFObjectHandle::newString(renameInAppearance(part.appearance.getStringValue(), renamedFonts))
                : part.appearance;
        if (first) {
            // The first form's defaults become the output's.
            if (!appearance.isNull()) form.replaceKey("/DA", appearance);
            if (!part.quadding.isNull()) form.replaceKey("/Q", part.quadding);
        } else {
            // Later forms keep theirs on their own fields.
            for (QPDFObjectHandle root : part.roots) {
                if (!appearance.isNull() && !root.hasKey("/DA")) root.replaceKey("/DA", appearance);
                if (!part.quadding.isNull() && !root.hasKey("/Q")) root.replaceKey("/Q", part.quadding);
            }
        }
        for (QPDFObjectHandle root : part.roots) fields.appendItem(root);
        for (QPDFObjectHandle field : part.calculationOrder) calculationOrder.appendItem(field);
        needAppearances = needAppearances || part.needAppearances;
        first = false;
    }
    if (fields.getArrayNItems() == 0) return;
    form.replaceKey("/Fields", fields);
    if (!resources.getKeys().empty()) form.replaceKey("/DR", resources);
    if (calculationOrder.getArrayNItems() > 0) form.replaceKey("/CO", calculationOrder);
    if (needAppearances) form.replaceKey("/NeedAppearances", QPDFObjectHandle::newBool(true));
    output.getRoot().replaceKey("/AcroForm", output.makeIndirectObject(form));
}
