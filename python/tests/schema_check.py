"""A small checker for the parts of JSON Schema that docs/results.schema.json uses: type,
const, enum, required, properties, items and local $ref."""

_TYPES = {
    "object": dict, "array": list, "string": str, "boolean": bool, "null": type(None),
}


def _is_type(value, name):
    if name == "integer":
        return isinstance(value, int) and not isinstance(value, bool)
    if name == "number":
        return isinstance(value, (int, float)) and not isinstance(value, bool)
    return isinstance(value, _TYPES[name])


def problems(value, schema, root=None, where="$"):
    root = root or schema
    if "$ref" in schema:
        target = root
        for part in schema["$ref"].lstrip("#/").split("/"):
            target = target[part]
        return problems(value, target, root, where)
    found = []
    types = schema.get("type")
    if types is not None:
        types = [types] if isinstance(types, str) else types
        if not any(_is_type(value, t) for t in types):
            return [f"{where}: {value!r} is not {types}"]
    if "const" in schema and value != schema["const"]:
        found.append(f"{where}: {value!r} is not {schema['const']!r}")
    if "enum" in schema and value not in schema["enum"]:
        found.append(f"{where}: {value!r} not in {schema['enum']}")
    if isinstance(value, dict):
        found += [f"{where}: {key} missing" for key in schema.get("required", [])
                  if key not in value]
        for key, sub in schema.get("properties", {}).items():
            if key in value:
                found += problems(value[key], sub, root, f"{where}.{key}")
    if isinstance(value, list) and "items" in schema:
        for i, item in enumerate(value):
            found += problems(item, schema["items"], root, f"{where}[{i}]")
    return found
