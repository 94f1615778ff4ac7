#include "platform/mesh_xfile.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace plat {

namespace {

enum class Tok : uint8_t { Name, String, Number, Open, Close, Guid };

struct Token {
    Tok kind;
    double value = 0;            // numbers
    const char* text = nullptr;  // names, strings, and numbers of the text form
    uint32_t length = 0;
};

bool Fail(std::string* why, const std::string& what) {
    *why = what;
    return false;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }
bool IsDelimiter(char c) {
    return IsSpace(c) || c == ',' || c == ';' || c == '{' || c == '}' || c == '"' || c == '<' || c == '\0';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A plain decimal number: [-+]digits[.digits][(e|E)[-+]digits], with digits on one side of
// the point at least. These go to Assimp as written; anything else strtod takes (hex,
// "infinity") is rewritten.
bool IsPlainDecimal(const char* s, size_t n) {
    size_t i = 0, digits = 0;
    if (i < n && (s[i] == '-' || s[i] == '+')) ++i;
    while (i < n && IsDigit(s[i])) ++i, ++digits;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '-' || s[i] == '+')) ++i;
        size_t e = 0;
        while (i < n && IsDigit(s[i])) ++i, ++e;
        if (e == 0) return false;
    }
    return i == n;
}

bool TokenizeText(const char* p, const char* end, std::vector<Token>* out, std::string* why) {
    while (p < end) {
        char c = *p;
        if (IsSpace(c) || c == ',' || c == ';' || c == '\0') {
            ++p;
        } else if (c == '#' || (c == '/' && p + 1 < end && p[1] == '/')) {
            while (p < end && *p != '\n') ++p;
        } else if (c == '{' || c == '}') {
            out->push_back({c == '{' ? Tok::Open : Tok::Close});
            ++p;
        } else if (c == '"') {
            const char* close = static_cast<const char*>(std::memchr(p + 1, '"', size_t(end - p - 1)));
            if (!close) return Fail(why, "a string runs to the end of the file");
            out->push_back({Tok::String, 0, p + 1, uint32_t(close - p - 1)});
            p = close + 1;
        } else if (c == '<') {
            const char* close = static_cast<const char*>(std::memchr(p + 1, '>', size_t(end - p - 1)));
            if (!close) return Fail(why, "a GUID runs to the end of the file");
            out->push_back({Tok::Guid});
            p = close + 1;
        } else {
            const char* start = p;
            while (p < end && !IsDelimiter(*p)) ++p;
            const size_t n = size_t(p - start);
            Token t{Tok::Name, 0, start, uint32_t(n)};
            if (IsDigit(c) || c == '-' || c == '+' || c == '.') {
                std::string s(start, n);
                char* stop = nullptr;
                double v = std::strtod(s.c_str(), &stop);
                if (stop == s.c_str() + n) {
                    t.kind = Tok::Number;
                    t.value = v;
                }
            }
            out->push_back(t);
        }
    }
    return true;
}

bool TokenizeBinary(const unsigned char* p, size_t n, unsigned floatBytes, std::vector<Token>* out,
                    std::string* why) {
    size_t at = 16;
    auto u16 = [&](size_t i) { return unsigned(p[i]) | unsigned(p[i + 1]) << 8; };
    auto u32 = [&](size_t i) {
        return uint32_t(p[i]) | uint32_t(p[i + 1]) << 8 | uint32_t(p[i + 2]) << 16 | uint32_t(p[i + 3]) << 24;
    };
    auto need = [&](uint64_t bytes) {
        if (bytes > n - at) {
            *why = "truncated at byte " + std::to_string(at);
            return false;
        }
        return true;
    };
    while (at < n) {
        if (!need(2)) return false;
        unsigned token = u16(at);
        at += 2;
        switch (token) {
            case 1:    // name: count, bytes
            case 2: {  // string: count, bytes, a closing ';' or ','
                if (!need(4)) return false;
                uint32_t count = u32(at);
                at += 4;
                uint64_t bytes = uint64_t(count) + (token == 2 ? 2 : 0);
                if (!need(bytes)) return false;
                const char* s = reinterpret_cast<const char*>(p + at);
                while (count > 0 && s[count - 1] == '\0') --count;  // some writers count the terminator
                out->push_back({token == 1 ? Tok::Name : Tok::String, 0, s, count});
                at += size_t(bytes);
                break;
            }
            case 3:  // integer
                if (!need(4)) return false;
                out->push_back({Tok::Number, double(u32(at))});
                at += 4;
                break;
            case 5:  // GUID
                if (!need(16)) return false;
                out->push_back({Tok::Guid});
                at += 16;
                break;
            case 6:    // integer list
            case 7: {  // float list
                if (!need(4)) return false;
                uint64_t count = u32(at);
                at += 4;
                unsigned size = token == 6 ? 4u : floatBytes;
                if (!need(count * size)) return false;
                for (uint64_t i = 0; i < count; ++i, at += size) {
                    double v;
                    if (token == 6) {
                        v = double(u32(at));
                    } else if (size == 4) {
                        float f;
                        std::memcpy(&f, p + at, 4);
                        v = f;
                    } else {
                        std::memcpy(&v, p + at, 8);
                    }
                    out->push_back({Tok::Number, v});
                }
                break;
            }
            case 0x0a:
            case 0x0b:
                out->push_back({token == 0x0a ? Tok::Open : Tok::Close});
                break;
            default:
                // ( ) [ ] < > . , ; and the template keywords carry no data.
                if ((token >= 0x0c && token <= 0x14) || token == 0x1f || (token >= 0x28 && token <= 0x34)) break;
                *why = "unknown token " + std::to_string(token) + " at byte " + std::to_string(at - 2);
                return false;
        }
    }
    return true;
}

std::string Text(const Token& t) { return std::string(t.text, t.length); }

bool NameIs(const Token& t, const char* name) {
    return t.kind == Tok::Name && t.length == std::strlen(name) && std::memcmp(t.text, name, t.length) == 0;
}

struct Object {
    size_t type = 0;
    std::string name;
    size_t open = 0, close = 0;
};

// One entry of an object's body in order: a data token, a reference "{ Name }" or a
// nested object.
struct Item {
    enum Kind { Data, Reference, Nested } kind;
    size_t token = 0;     // Data
    std::string name;     // Reference
    Object object;        // Nested
};

constexpr unsigned kMaxFrameDepth = 64;

class Cleaner {
public:
    Cleaner(const std::vector<Token>& toks, XCleanFile* out, std::string* why) : t_(toks), out_(out), why_(why) {}

    bool Run() {
        if (!MatchBraces()) return false;
        // Every named material, wherever it stands, may be referred to by name.
        for (size_t i = 0; i < t_.size();) {
            Object o;
            if (ObjectAt(i, t_.size(), &o)) {
                if (NameIs(t_[o.type], "template")) {
                    i = o.close + 1;
                    continue;
                }
                if (NameIs(t_[o.type], "Material") && !o.name.empty()) materials_.emplace(o.name, o);
                i = o.open + 1;
            } else {
                ++i;
            }
        }
        text_ = "xof 0303txt 0032\n";
        for (size_t i = 0; i < t_.size();) {
            Object o;
            if (t_[i].kind == Tok::Open) {
                i = match_[i] + 1;
            } else if (ObjectAt(i, t_.size(), &o)) {
                if (NameIs(t_[o.type], "Frame") && !Frame(o, 1)) return false;
                if (NameIs(t_[o.type], "Mesh") && !Mesh(o)) return false;
                i = o.close + 1;
            } else {
                ++i;
            }
        }
        if (meshes_ == 0) return Fail(why_, "no mesh in the file");
        out_->text = std::move(text_);
        return true;
    }

private:
    const std::vector<Token>& t_;
    XCleanFile* out_;
    std::string* why_;
    std::vector<size_t> match_;  // for each brace, its partner
    std::map<std::string, Object> materials_;  // the first of a name counts
    std::string text_;
    unsigned frames_ = 0, meshes_ = 0;

    bool MatchBraces() {
        match_.assign(t_.size(), 0);
        std::vector<size_t> open;
        for (size_t i = 0; i < t_.size(); ++i) {
            if (t_[i].kind == Tok::Open) {
                open.push_back(i);
            } else if (t_[i].kind == Tok::Close) {
                if (open.empty()) return Fail(why_, "a '}' without its '{'");
                match_[i] = open.back();
                match_[open.back()] = i;
                open.pop_back();
            }
        }
        if (!open.empty()) return Fail(why_, "a '{' without its '}'");
        return true;
    }

    // "Type [name] [<guid>] {" starting at i, the opening brace before limit.
    bool ObjectAt(size_t i, size_t limit, Object* o) const {
        if (t_[i].kind != Tok::Name) return false;
        size_t k = i + 1;
        std::string name;
        if (k < limit && t_[k].kind == Tok::Name) name = Text(t_[k++]);
        if (k < limit && t_[k].kind == Tok::Guid) ++k;
        if (k >= limit || t_[k].kind != Tok::Open) return false;
        o->type = i;
        o->name = std::move(name);
        o->open = k;
        o->close = match_[k];
        return true;
    }

    std::vector<Item> Body(const Object& o) const {
        std::vector<Item> items;
        for (size_t j = o.open + 1; j < o.close;) {
            Item it{Item::Data, 0, {}, {}};
            if (t_[j].kind == Tok::Open) {
                it.kind = Item::Reference;
                for (size_t k = j + 1; k < match_[j]; ++k)
                    if (t_[k].kind == Tok::Name) {
                        it.name = Text(t_[k]);
                        break;
                    }
                j = match_[j] + 1;
            } else if (ObjectAt(j, o.close, &it.object)) {
                it.kind = Item::Nested;
                j = it.object.close + 1;
            } else {
                it.token = j++;
            }
            items.push_back(std::move(it));
        }
        return items;
    }

    static std::vector<size_t> DataOf(const std::vector<Item>& items) {
        std::vector<size_t> data;
        for (const Item& it : items)
            if (it.kind == Item::Data) data.push_back(it.token);
        return data;
    }

    bool Bad(const Object& o, const std::string& what) {
        return Fail(why_, Text(t_[o.type]) + ": " + what);
    }

    // Reads the numbers of an object's data in turn.
    struct Reader {
        const std::vector<Token>& t;
        const std::vector<size_t>& data;
        size_t at = 0;
        size_t Left() const { return data.size() - at; }
        bool Int(uint64_t below, uint32_t* v) {
            if (at >= data.size()) return false;
            const Token& k = t[data[at]];
            if (k.kind != Tok::Number || !(k.value >= 0) || k.value != std::floor(k.value) || !(k.value < double(below)))
                return false;
            *v = uint32_t(k.value);
            ++at;
            return true;
        }
        bool Real(double* v) {
            if (at >= data.size()) return false;
            const Token& k = t[data[at]];
            if (k.kind != Tok::Number || !std::isfinite(float(k.value))) return false;
            *v = k.value;
            ++at;
            return true;
        }
    };

    void PutInt(uint32_t v) {
        text_ += std::to_string(v);
        text_ += ';';
    }
    // A real number: as written when it is a plain decimal, otherwise as the float it is.
    void PutReal(const Token& k) {
        if (k.text && IsPlainDecimal(k.text, k.length)) {
            text_.append(k.text[0] == '+' ? k.text + 1 : k.text, k.text[0] == '+' ? k.length - 1 : k.length);
        } else {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.9g", double(float(k.value)));
            text_ += buf;
        }
        text_ += ';';
    }
    bool Reals(const Object& o, Reader& r, uint64_t count) {
        if (count > r.Left()) return Bad(o, "fewer numbers than its counts say");
        for (uint64_t i = 0; i < count; ++i) {
            double v;
            size_t token = r.data[r.at];
            if (!r.Real(&v)) return Bad(o, "a value that is not a finite number");
            PutReal(t_[token]);
        }
        text_ += '\n';
        return true;
    }

    bool Frame(const Object& o, unsigned depth) {
        if (depth > kMaxFrameDepth) return Bad(o, "frames nested too deep");
        text_ += "Frame f" + std::to_string(frames_++) + " {\n";
        bool matrix = false;
        for (const Item& it : Body(o)) {
            if (it.kind != Item::Nested) continue;
            const Object& n = it.object;
            if (NameIs(t_[n.type], "FrameTransformMatrix") && !matrix) {
                std::vector<Item> items = Body(n);
                std::vector<size_t> data = DataOf(items);
                Reader r{t_, data};
                if (data.size() != 16) return Bad(n, "not 16 numbers");
                text_ += "FrameTransformMatrix {\n";
                if (!Reals(n, r, 16)) return false;
                text_ += ";}\n";  // Assimp wants the matrix closed by a second ';'

                matrix = true;
            } else if (NameIs(t_[n.type], "Frame")) {
                if (!Frame(n, depth + 1)) return false;
            } else if (NameIs(t_[n.type], "Mesh")) {
                if (!Mesh(n)) return false;
            }
        }
        text_ += "}\n";
        return true;
    }

    // Vertex count, vectors, face count, faces: the layout of Mesh and MeshNormals. For
    // MeshNormals, corners must repeat the mesh's face sizes.
    bool VectorsAndFaces(const Object& o, Reader& r, std::vector<uint32_t>* corners, bool normals) {
        uint32_t n, faces;
        if (!r.Int(UINT32_MAX, &n) || uint64_t(n) * 3 > r.Left()) return Bad(o, "a vector count larger than the data");
        PutInt(n);
        text_ += '\n';
        if (!Reals(o, r, uint64_t(n) * 3)) return false;
        if (!r.Int(uint64_t(r.Left()), &faces)) return Bad(o, "a face count larger than the data");
        if (normals && faces != corners->size()) return Bad(o, "not one face for each face of the mesh");
        PutInt(faces);
        text_ += '\n';
        for (uint32_t f = 0; f < faces; ++f) {
            uint32_t k;
            if (!r.Int(uint64_t(r.Left()), &k) || k < 3) return Bad(o, "a face with a bad corner count");
            if (normals && k != (*corners)[f]) return Bad(o, "a face whose corners differ from the mesh's");
            if (!normals) corners->push_back(k);
            PutInt(k);
            for (uint32_t c = 0; c < k; ++c) {
                uint32_t index;
                if (!r.Int(n, &index)) return Bad(o, "a face corner out of range");
                PutInt(index);
            }
            text_ += '\n';
        }
        if (r.Left() != 0) return Bad(o, "more numbers than its counts say");
        return true;
    }

    bool Mesh(const Object& o) {
        ++meshes_;
        std::vector<Item> items = Body(o);
        std::vector<size_t> data = DataOf(items);
        Reader r{t_, data};
        std::vector<uint32_t> corners;
        text_ += "Mesh {\n";
        if (!VectorsAndFaces(o, r, &corners, false)) return false;
        const uint32_t vertices = uint32_t(t_[data[0]].value);
        bool normals = false, coords = false, list = false;
        for (const Item& it : items) {
            if (it.kind != Item::Nested) continue;
            const Object& n = it.object;
            std::vector<Item> sub = Body(n);
            std::vector<size_t> subData = DataOf(sub);
            Reader s{t_, subData};
            if (NameIs(t_[n.type], "MeshNormals") && !normals) {
                text_ += "MeshNormals {\n";
                if (!VectorsAndFaces(n, s, &corners, true)) return false;
                text_ += "}\n";
                normals = true;
            } else if (NameIs(t_[n.type], "MeshTextureCoords") && !coords) {
                uint32_t count;
                if (!s.Int(UINT32_MAX, &count) || count != vertices) return Bad(n, "not one pair for each vertex");
                if (s.Left() != uint64_t(count) * 2) return Bad(n, "not two numbers for each vertex");
                text_ += "MeshTextureCoords {\n";
                PutInt(count);
                if (!Reals(n, s, uint64_t(count) * 2)) return false;
                text_ += "}\n";
                coords = true;
            } else if (NameIs(t_[n.type], "MeshMaterialList") && !list) {
                if (!MaterialList(n, sub, s, uint32_t(corners.size()))) return false;
                list = true;
            }
        }
        text_ += "}\n";
        return true;
    }

    bool MaterialList(const Object& o, const std::vector<Item>& items, Reader& r, uint32_t faces) {
        uint32_t count, indices;
        if (!r.Int(UINT32_MAX, &count)) return Bad(o, "no material count");
        if (!r.Int(uint64_t(faces) + 1, &indices) || (faces > 0 && indices == 0))
            return Bad(o, "a face index count that does not fit the faces");
        text_ += "MeshMaterialList {\n";
        PutInt(count);
        PutInt(indices);
        text_ += '\n';
        for (uint32_t i = 0; i < indices; ++i) {
            uint32_t m;
            if (!r.Int(count, &m)) return Bad(o, "a face material out of range");
            PutInt(m);
        }
        text_ += '\n';
        if (r.Left() != 0) return Bad(o, "more numbers than its counts say");
        uint32_t entries = 0;
        for (const Item& it : items) {
            const Object* material = nullptr;
            if (it.kind == Item::Reference) {
                auto found = materials_.find(it.name);
                if (found == materials_.end()) return Bad(o, "names a material the file does not define: '" + it.name + "'");
                material = &found->second;
            } else if (it.kind == Item::Nested && NameIs(t_[it.object.type], "Material")) {
                material = &it.object;
            } else {
                continue;
            }
            MeshMaterial m;
            if (!ReadMaterial(*material, &m)) return false;
            text_ += "Material " + std::string(kXMaterialTag) + std::to_string(out_->materials.size()) +
                     " { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }\n";
            out_->materials.push_back(std::move(m));
            ++entries;
        }
        if (entries != count) return Bad(o, "not as many materials as its count says");
        text_ += "}\n";
        return true;
    }

    bool ReadMaterial(const Object& o, MeshMaterial* m) {
        std::vector<Item> items = Body(o);
        std::vector<size_t> data = DataOf(items);
        if (data.size() != 11) return Bad(o, "not 11 numbers");
        Reader r{t_, data};
        double v[11];
        for (double& x : v)
            if (!r.Real(&x)) return Bad(o, "a value that is not a finite number");
        Material& mat = m->material;
        mat.Diffuse = Color(float(v[0]), float(v[1]), float(v[2]), float(v[3]));
        mat.Power = float(v[4]);
        mat.Specular = Color(float(v[5]), float(v[6]), float(v[7]), 1.0f);
        mat.Emissive = Color(float(v[8]), float(v[9]), float(v[10]), 1.0f);
        for (const Item& it : items) {
            if (it.kind != Item::Nested) continue;
            if (NameIs(t_[it.object.type], "TextureFilename") || NameIs(t_[it.object.type], "TextureFileName")) {
                for (const Item& s : Body(it.object))
                    if (s.kind == Item::Data && t_[s.token].kind == Tok::String) {
                        m->textureFile = Text(t_[s.token]);
                        break;
                    }
                break;
            }
        }
        return true;
    }
};

}  // namespace

bool CleanXFile(const std::vector<char>& data, XCleanFile* out, std::string* why) {
    *out = XCleanFile{};
    if (data.size() < 16 || std::memcmp(data.data(), "xof ", 4) != 0) return Fail(why, "not an .x file");
    const char* format = data.data() + 8;
    const char* floatSize = data.data() + 12;
    unsigned floatBytes;
    if (std::memcmp(floatSize, "0032", 4) == 0) {
        floatBytes = 4;
    } else if (std::memcmp(floatSize, "0064", 4) == 0) {
        floatBytes = 8;
    } else {
        return Fail(why, "unknown float size '" + std::string(floatSize, 4) + "'");
    }
    std::vector<Token> tokens;
    if (std::memcmp(format, "txt ", 4) == 0) {
        if (!TokenizeText(data.data() + 16, data.data() + data.size(), &tokens, why)) return false;
    } else if (std::memcmp(format, "bin ", 4) == 0) {
        if (!TokenizeBinary(reinterpret_cast<const unsigned char*>(data.data()), data.size(), floatBytes, &tokens, why))
            return false;
    } else if (std::memcmp(format, "tzip", 4) == 0 || std::memcmp(format, "bzip", 4) == 0) {
        return Fail(why, "compressed .x files are not read");
    } else {
        return Fail(why, "unknown .x format '" + std::string(format, 4) + "'");
    }
    return Cleaner(tokens, out, why).Run();
}

}  // namespace plat
