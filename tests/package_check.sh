#!/usr/bin/env bash
# Every Debian package the build found, and every outside program the tests call, must be named in
# scripts/install-deps or pulled in by a package named there: otherwise a fresh machine lacks it
# and ./run or ./test fail there, while they pass on a machine where it happened to be installed.
#   tests/package_check.sh SOURCE_DIR CMAKE_CACHE
# What the build found is read from the cache: the package configuration directories (*_DIR) and
# the files of what the project's CMakeLists look for through a find module or find_program
# (ZLIB_LIBRARY_RELEASE, CCACHE_PROGRAM ...). Files of optional finds made inside other packages'
# configurations (OpenGL's GLU, pkg-config ...) are not the project's needs and are not checked.
# Exit 77 (skipped) where there is no dpkg.
set -euo pipefail

source_dir=$1
cache=$2
script="$source_dir/scripts/install-deps"

if ! command -v dpkg >/dev/null || ! command -v apt-cache >/dev/null; then
    echo "no dpkg/apt-cache here: nothing to check"
    exit 77
fi

# The words of one "name=( ... )" list of the install script, comments left out.
list_of() {
    sed -n "/^$1=(/,/^)/p" "$script" | sed -e 's/#.*//' -e "s/^$1=(//" -e 's/)//' | tr -s ' \t' '\n' |
        sed '/^$/d'
}
mapfile -t packages < <(list_of packages)
mapfile -t test_packages < <(list_of test_packages)
if [ ${#packages[@]} -eq 0 ]; then
    echo "FAIL: no packages=( ... ) list in $script"
    exit 1
fi

# The installed packages a list pulls in, the named ones included (":amd64" suffixes stripped).
closure_of() {
    apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
        --no-replaces --no-enhances --installed "$@" 2>/dev/null |
        grep -v '^ ' | tr -d '<>' | sed 's/:.*//' | sort -u
}
build_closure=$(closure_of "${packages[@]}")
test_closure=$(closure_of "${packages[@]}" "${test_packages[@]}")

# What is checked: a description, a file and the closure it must belong to, in order.
whats=()
files=()
closures=()
want() {
    whats+=("$1")
    files+=("$2")
    closures+=("$3")
}

# Configuration directories of the packages found through their own config files.
while IFS='=' read -r key dir; do
    name=${key%%:*}
    [ -d "$dir" ] || continue
    # The directory's own config file (Qt6Sql_DIR holds plugin configs beside Qt6SqlConfig.cmake).
    config=$(find "$dir" -maxdepth 1 \( -name "${name%_DIR}Config.cmake" -o \
        -name "${name%_DIR}-config.cmake" \) | head -n1)
    [ -n "$config" ] || config=$(find "$dir" -maxdepth 1 \( -name '*Config.cmake' -o \
        -name '*-config.cmake' \) | sort | head -n1)
    [ -n "$config" ] || continue # an include directory, as /usr/include: owned by many
    want "$name" "$config" build
done < <(grep -E '^[A-Za-z0-9_]+_DIR:PATH=/usr/' "$cache")

# Files of what the project looks for through a find module (ZLIB_LIBRARY_RELEASE ...) or
# find_program (CCACHE_PROGRAM).
mapfile -t finds < <(find "$source_dir" -name CMakeLists.txt -not -path "$source_dir/build*" \
    -exec sed -nE 's/.*find_(package|program)\(\s*([A-Za-z0-9_]+).*/\2/p' {} + | sort -u)
for find_name in "${finds[@]}"; do
    while IFS='=' read -r key file; do
        name=${key%%:*}
        case $name in
            "$find_name" | "$find_name"_LIBRARY | "$find_name"_LIBRARY_* | "$find_name"_EXECUTABLE)
                [ -f "$file" ] && want "$name" "$file" build ;;
        esac
    done < <(grep -E "^${find_name}[A-Za-z0-9_]*:FILEPATH=/usr/" "$cache" || true)
done

# Outside programs the tests and the tools they run call by name.
mapfile -t tools < <(grep -rhoE '(findExecutable|start)\((QStringLiteral\()?"[A-Za-z0-9_.-]+"' \
    "$source_dir/tests" "$source_dir/tools" | sed -E 's/.*"(.*)"/\1/' | sort -u)
missing=0
for tool in "${tools[@]}"; do
    path=$(command -v "$tool" || true)
    if [ -z "$path" ]; then
        echo "FAIL: the tests call $tool, which is not installed (./test installs the lists)"
        missing=$((missing + 1))
        continue
    fi
    want "$tool, called by the tests" "$path" test
done

# The owners, asked in one call (dpkg reads its whole database for each call); a link that
# belongs to no package (alternatives) is followed.
declare -A owner
while IFS= read -r line; do
    package=${line%%: *}
    package=${package%%,*}
    owner[${line#*: }]=${package%%:*}
done < <(dpkg -S "${files[@]}" 2>/dev/null | grep -v '^diversion' || true)

failures=$missing
for i in "${!files[@]}"; do
    file=${files[$i]}
    package=${owner[$file]:-}
    # A link that belongs to no package (alternatives) is followed; with merged /usr, dpkg
    # knows /usr/bin/bash as /bin/bash.
    for other in "$(readlink -f "$file")" "${file#/usr}"; do
        [ -z "$package" ] || break
        package=$(dpkg -S "$other" 2>/dev/null | head -n1 || true)
        package=${package%%: *}
        package=${package%%,*}
        package=${package%%:*}
    done
    if [ "${closures[$i]}" = build ]; then
        closure=$build_closure
        lists="packages=( )"
    else
        closure=$test_closure
        lists="packages=( ) or test_packages=( )"
    fi
    if [ -z "$package" ]; then
        echo "FAIL: ${whats[$i]}: $file belongs to no Debian package"
        failures=$((failures + 1))
    elif [ "$(dpkg-query -W -f='${Essential}' "$package" 2>/dev/null)" = yes ]; then
        : # an essential package is on every Debian system
    elif ! grep -qx -- "$package" <<<"$closure"; then
        echo "FAIL: $package (${whats[$i]}: $file) is neither named in $lists of" \
            "scripts/install-deps nor pulled in by a package named there"
        failures=$((failures + 1))
    fi
done

if [ "$failures" -gt 0 ]; then
    echo "$failures of $((${#files[@]} + missing)) checked are not covered by scripts/install-deps"
    exit 1
fi
echo "the ${#files[@]} files the build found and the tests call all belong to packages that" \
    "scripts/install-deps names or pulls in"
