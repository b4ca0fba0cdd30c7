# The rules of tools/lint.sh (see there), one pass over every file. Portable awk (mawk runs it).
# Input: the files to read, named relative to the tree's root. LIST names a file that lists every
# file of the tree (for resolving includes); CONSTS names the constants headers.

BEGIN {
    split("framework graphics controls grid pickers app tests bench", names, " ")
    for (k = 1; k <= 8; ++k) rank[names[k]] = (k <= 6 ? k - 1 : 6)
    while ((getline f < LIST) > 0) exists[f] = 1
    close(LIST)
    nconsts = split(CONSTS, constfiles, " ")
    for (k = 1; k <= nconsts; ++k) {
        isconsts[constfiles[k]] = 1
        readconsts(constfiles[k])
    }
    HOME = "framework/SysUtils.h"
    ID = "[A-Za-z0-9_]"
}

# ---- Reading C++ text -------------------------------------------------------------------------

# The line without comments, with string literals emptied ("") and character literals kept. The
# literals' texts, as written, go to lits[1..nlits]. Block comments and raw strings carry over to
# the next line through inblock and rawend.
function clean(line,    out, i, j, n, c, d, lit, pre, delim, p) {
    nlits = 0
    if (!inblock && rawend == "" && line !~ /["'\/]/) return line
    out = ""
    n = length(line)
    i = 1
    while (i <= n) {
        if (rawend != "") {
            p = index(substr(line, i), rawend)
            if (p == 0) return out
            i += p - 1 + length(rawend)
            rawend = ""
            out = out "\"\""
            continue
        }
        c = substr(line, i, 1)
        if (inblock) {
            if (c == "*" && substr(line, i + 1, 1) == "/") {
                inblock = 0
                i += 2
                out = out " "
            } else {
                ++i
            }
            continue
        }
        if (c == "/") {
            d = substr(line, i + 1, 1)
            if (d == "/") break
            if (d == "*") {
                inblock = 1
                i += 2
                continue
            }
        }
        if (c == "\"") {
            pre = substr(line, 1, i - 1)
            if (pre ~ /(^|[^A-Za-z0-9_])(L|u8|u|U)?R$/) {
                p = index(substr(line, i + 1), "(")
                delim = p > 0 ? substr(line, i + 1, p - 1) : ""
                rawend = ")" delim "\""
                i += p + 1
                continue
            }
            j = i + 1
            lit = ""
            while (j <= n) {
                d = substr(line, j, 1)
                if (d == "\\") {
                    lit = lit substr(line, j, 2)
                    j += 2
                    continue
                }
                if (d == "\"") break
                lit = lit d
                ++j
            }
            lits[++nlits] = lit
            out = out "\"\""
            i = j + 1
            continue
        }
        if (c == "'" && substr(line, i - 1, 1) !~ /[0-9A-Fa-f]/) {
            j = i + 1
            while (j <= n) {
                d = substr(line, j, 1)
                if (d == "\\") {
                    j += 2
                    continue
                }
                if (d == "'") break
                ++j
            }
            out = out substr(line, i, j - i + 1)
            i = j + 1
            continue
        }
        out = out c
        ++i
    }
    return out
}

function report(line, rule, text) {
    print FILENAME ":" line ": [" rule "] " text
}

# ---- The constants --------------------------------------------------------------------------

# Every "Name = L"text";" of a constants header: value[text] = the qualified name, and the text
# before the first and after the last format specifier, when long enough to be a message's own.
function readconsts(file,    ns, line, code, name, val, open, k, lead, tail, spec) {
    ns = ""
    open = 0
    inblock = 0
    rawend = ""
    while ((getline line < file) > 0) {
        code = clean(line)
        if (match(code, /namespace[ \t]+[A-Za-z_][A-Za-z0-9_]*/)) {
            ns = substr(code, RSTART, RLENGTH)
            sub(/namespace[ \t]+/, "", ns)
        }
        if (!open && match(code, /[A-Za-z_][A-Za-z0-9_]*[ \t]*=[ \t]*($|"|L"|u"|U")/)) {
            name = substr(code, RSTART, RLENGTH)
            sub(/[ \t]*=.*/, "", name)
            val = ""
            open = 1
        }
        if (open) {
            for (k = 1; k <= nlits; ++k) val = val lits[k]
            if (index(code, ";")) {
                open = 0
                # One-word captions ("Warning") are too common to tell a copy from a coincidence.
                if (val ~ / |%/) constname[val] = ns "::" name
                spec = "%[-0-9.*:]*[A-Za-z%]"
                if (match(val, spec)) {
                    lead = substr(val, 1, RSTART - 1)
                    tail = val
                    while (match(tail, spec)) tail = substr(tail, RSTART + RLENGTH)
                    if (length(lead) >= 12) addlead(lead, ns "::" name)
                    if (length(tail) >= 12) tailof[tail] = ns "::" name
                } else if (length(val) >= 12) {
                    addlead(val, ns "::" name)
                }
            }
        }
    }
    close(file)
}

# Leads are kept by their first 12 characters, so that a literal is compared with the few that
# share its start.
function addlead(lead, name,    key) {
    key = substr(lead, 1, 12)
    leads[key] = leads[key] SUBSEP lead
    leadof[lead] = name
}

# ---- Layers ---------------------------------------------------------------------------------

function layerof(path,    top) {
    top = path
    sub(/\/.*/, "", top)
    return (top in rank) ? rank[top] : -1
}

function normalize(path,    parts, n, k, out, m, stack) {
    n = split(path, parts, "/")
    m = 0
    for (k = 1; k <= n; ++k) {
        if (parts[k] == "" || parts[k] == ".") continue
        if (parts[k] == "..") {
            if (m > 0) --m
            continue
        }
        stack[++m] = parts[k]
    }
    out = ""
    for (k = 1; k <= m; ++k) out = out (k > 1 ? "/" : "") stack[k]
    return out
}

# The tree's file an include names: by its folder, next to the includer, or in a layer's folder
# (the lowest that has it, as the include paths reach the layers below); "" when none.
function resolve(inc, dir,    p, k) {
    if (layerof(inc) >= 0) return inc
    p = normalize(dir "/" inc)
    if (p in exists) return p
    for (k = 1; k <= 6; ++k)
        if ((names[k] "/" inc) in exists) return names[k] "/" inc
    return ""
}

# ---- catch (...) bodies ---------------------------------------------------------------------

# Feeds code to the catch body being read; analyses the body when its closing brace comes.
function feed(s,    i, n, c, j) {
    n = length(s)
    for (i = 1; i <= n; ++i) {
        c = substr(s, i, 1)
        if (c == "'") {   # a character literal: skipped whole
            for (j = i + 1; j <= n && substr(s, j, 1) != "'"; ++j)
                if (substr(s, j, 1) == "\\") ++j
            i = j
            continue
        }
        if (!started) {
            if (c == "{") {
                started = 1
                depth = 1
            }
            continue
        }
        if (c == "{") ++depth
        else if (c == "}" && --depth == 0) {
            collecting = 0
            analyse(body, catchline)
            return
        }
        body = body c
    }
    body = body " "
}

function analyse(b, line) {
    gsub(/[ \t]+/, " ", b)
    if (b !~ /(^|[;{}]) ?throw ?; ?$/) return
    if (b ~ /(^|[^A-Za-z0-9_])(return|break|continue|goto|try|co_return)([^A-Za-z0-9_]|$)/) return
    if (b ~ /(^|[^A-Za-z0-9_])throw ?[^; ]/) return
    if (b ~ /current_exception|rethrow_exception|throw_with_nested|OutputDebugString|printf|cerr|clog/) return
    if (b ~ /(^|[^A-Za-z0-9_])(Log|Trace|Report|Warn|Show|Handle|Notify|Debug|Print)[A-Za-z0-9_]* ?\(/) return
    report(line, "rethrow", "catch (...) only undoes state and rethrows; hold the undo in a scope guard (framework/WinScope.h)")
}

# ---- The pass ---------------------------------------------------------------------------------

FNR == 1 {
    inblock = 0
    rawend = ""
    collecting = 0
    dir = FILENAME
    sub(/\/[^\/]*$/, "", dir)
    mine = layerof(FILENAME)
    product = mine >= 0 && mine <= 5
    # Tests and benchmarks may spell out the system's texts: a test that pins the literal text catches a
    # constant that drifted.
    skipmessages = (FILENAME in isconsts) || !product
}

{
    code = clean($0)

    if (collecting) feed(code)
    if (!collecting && match(code, /(^|[^A-Za-z0-9_])catch[ \t]*\([ \t]*\.\.\.[ \t]*\)/)) {
        collecting = 1
        started = 0
        body = ""
        catchline = FNR
        feed(substr(code, RSTART + RLENGTH))
    }

    isinclude = code ~ /^[ \t]*#[ \t]*include/
    if (product && isinclude && nlits > 0) {
        target = resolve(lits[1], dir)
        if (target != "" && layerof(target) > mine)
            report(FNR, "layer", "includes " target " from a higher layer")
    }

    if (product && FILENAME != HOME) {
        folded = 0
        if (code ~ /L?'[aA]'[ \t]*[-+][ \t]*L?'[aA]'/) folded = 1
        else if (code ~ /'[aAzZ]'/ && code ~ /[-+][ \t]*(32|0x20)([^0-9A-Za-z_]|$)/) folded = 1
        else if (code ~ /(^|[^A-Za-z0-9_])(towupper|towlower|toupper|tolower|_?wcsn?icmp|_?strn?icmp|strn?casecmp|wcsn?casecmp|_wcslwr|_wcsupr|_strlwr|_strupr)[ \t]*\(/) folded = 1
        else if (code ~ /(Char|wchar_t|WideChar|AnsiChar|char)[ \t]*\(/ && code ~ /([|^][ \t]*0x20|&[ \t]*~[ \t]*0x20|&[ \t]*0x[dD][fF])([^0-9A-Fa-f]|$)/) folded = 1
        if (folded) report(FNR, "case", "ASCII case folded by hand; use UpCase, LoCase, UpperCase, LowerCase, CompareText or SameText (framework/SysUtils.h)")
    }

    if (!skipmessages && !isinclude) {
        for (k = 1; k <= nlits; ++k) {
            t = lits[k]
            if (t in constname) {
                report(FNR, "message", "\"" t "\" is " constname[t])
                continue
            }
            if (!product) continue
            if (t in tailof) {
                report(FNR, "message", "\"" t "\" is the end of " tailof[t])
                continue
            }
            key = substr(t, 1, 12)
            if (!(key in leads)) continue
            m = split(substr(leads[key], 2), cand, SUBSEP)
            for (j = 1; j <= m; ++j) {
                lead = cand[j]
                if (length(t) >= length(lead) && substr(t, 1, length(lead)) == lead) {
                    report(FNR, "message", "\"" t "\" starts with the text of " leadof[lead])
                    break
                }
            }
        }
    }
}
