# Sums the instructions of a callgrind output file by the binary (ELF object) that executed
# them: self cost only, so that each instruction counts once. Prints "instructions object".
# Name compression: "ob=(n) name" or "cob=(n) name" defines an object, "ob=(n)" refers to it
# again; "ob=" sets the object of the cost lines that follow, "cob=" only that of a call.
function object(field,    id, rest) {
  if (!match(field, /^\([0-9]+\)/)) return field
  id = substr(field, RSTART, RLENGTH)
  rest = substr(field, RLENGTH + 2)
  if (rest != "") names[id] = rest
  return names[id]
}
/^ob=/ { current = object(substr($0, 4)); next }
/^cob=/ { object(substr($0, 5)); next }
/^calls=/ { skip = 1; next }
/^[0-9+*-]/ {
  if (skip) { skip = 0; next }
  n = split($0, f, " ")
  if (n >= 2) cost[current] += f[2]
  next
}
END { for (o in cost) printf "%d %s\n", cost[o], o }
