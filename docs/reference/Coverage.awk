# Counts the entities of the reference and names the undocumented ones, from Doxygen's
# XML: every class, struct, union, namespace, module and header, and every public or
# protected member and enumerator. Doxygen warns about most undocumented entities itself
# but not about enumerators, so the result codes are checked here.
#   awk -f docs/reference/Coverage.awk <xml dir>/*.xml
# Prints the counts; exits 1 when anything is undocumented.

function push(id, kind) { depth++; stackId[depth] = id; stackKind[depth] = kind; named[depth] = 0 }
function record(    id) {
    id = stackId[depth]
    if (id != "" && counted[stackKind[depth]]) {
        seen[id] = 1
        kindOf[id] = stackKind[depth]
    }
    depth--
}
function attribute(line, name,    rest) {
    if (!match(line, name "=\"[^\"]*\""))
        return ""
    rest = substr(line, RSTART + length(name) + 2, RLENGTH - length(name) - 3)
    return rest
}

BEGIN {
    split("class struct union namespace group file function variable typedef enum enumvalue define", kinds, " ")
    for (k in kinds)
        counted[kinds[k]] = 1
}

FNR == 1 { depth = 0; inDescription = 0; hidden = 0 }

# A private nested class is not part of the interface, nor is anything in it; nor are
# the reference's own pages.
/<compounddef / {
    hidden = attribute($0, "prot") == "private"
    push(hidden ? "" : attribute($0, "id"), attribute($0, "kind"))
}
/<compoundname>.*\.dox</ { hidden = 1; stackId[depth] = "" }
/<memberdef / {
    kind = attribute($0, "kind")
    prot = attribute($0, "prot")
    push(hidden || prot == "private" || kind == "friend" ? "" : attribute($0, "id"), kind)
}
/<enumvalue / { push(hidden ? "" : attribute($0, "id"), "enumvalue") }

/<(compoundname|name)>/ && depth > 0 && !named[depth] {
    text = $0
    sub(/.*<(compoundname|name)>/, "", text)
    sub(/<\/(compoundname|name)>.*/, "", text)
    if (stackId[depth] != "")
        nameOf[stackId[depth]] = text
    named[depth] = 1
}

/<(briefdescription|detaileddescription)>/ { inDescription = 1 }
inDescription && /<para>/ && depth > 0 && stackId[depth] != "" { documented[stackId[depth]] = 1 }
/<\/(briefdescription|detaileddescription)>/ { inDescription = 0 }

/<\/enumvalue>/ || /<\/memberdef>/ || /<\/compounddef>/ { record() }

END {
    total = 0
    missing = 0
    for (id in seen) {
        total++
        if (!documented[id]) {
            missing++
            print "undocumented " kindOf[id] ": " nameOf[id] > "/dev/stderr"
        }
    }
    printf "%d entities, %d documented, %d undocumented\n", total, total - missing, missing
    exit missing > 0
}
