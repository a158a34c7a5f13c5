// Recursive-descent parser for VBScript.
#include <deque>
#include <utility>

#include "ast.h"
#include "ops.h"
#include "stack_guard.h"

namespace pw {

namespace {

// Nesting limit: deeper sources get a syntax error instead of overflowing the
// stack (sooner on a thread with a small stack).
constexpr int kMaxDepth = 400;

class Parser {
 public:
  explicit Parser(u16v src) : in_(src) {}

  Program program() {
    Program prog;
    prog_ = &prog;
    skipSeparators();
    if (isKw(Kw::Option)) {
      next();
      if (!isKw(Kw::Explicit)) fail(1002);
      next();
      prog.optionExplicit = true;
      endOfStatement();
    }
    while (cur().kind != Tk::End) {
      skipSeparators();
      if (cur().kind == Tk::End) break;
      topLevelStatement(prog);
      dropConsumed();
    }
    return prog;
  }

  ExprP expressionOnly() {
    skipNewlines();
    ExprP e = expr();
    skipNewlines();
    if (cur().kind != Tk::End) fail(1025);
    return e;
  }

 private:
  // --- token helpers ---
  // Token i of the text (lexed on demand); past the end, the End token.
  const Token& tok(size_t i) const {
    while (i - base_ >= t_.size() && !(t_.size() && t_.back().kind == Tk::End)) t_.push_back(in_.next());
    return i - base_ < t_.size() ? t_[i - base_] : t_.back();
  }
  const Token& cur() const { return tok(p_); }
  const Token& peekTok(size_t k = 1) const { return tok(p_ + k); }
  void next() {
    if (cur().kind != Tk::End) ++p_;
  }
  // Between top-level statements nothing refers back to earlier tokens.
  void dropConsumed() {
    while (base_ < p_ && !t_.empty()) {
      t_.pop_front();
      ++base_;
    }
  }
  bool is(Tk k) const { return cur().kind == k; }
  bool isKw(Kw k) const { return cur().kind == Tk::Ident && cur().kw == k; }
  bool accept(Tk k) {
    if (!is(k)) return false;
    next();
    return true;
  }
  bool acceptKw(Kw k) {
    if (!isKw(k)) return false;
    next();
    return true;
  }
  [[noreturn]] void fail(int32_t number) { throw SyntaxError{number, cur().line, cur().col}; }
  [[noreturn]] void failAt(int32_t number, const Token& t) { throw SyntaxError{number, t.line, t.col}; }
  void expect(Tk k, int32_t err) {
    if (!accept(k)) fail(err);
  }
  void expectKw(Kw k, int32_t err) {
    if (!acceptKw(k)) fail(err);
  }
  // A word that closes a block also ends a statement, so that
  // "x = 1 End Sub", "Dim x End Class" and "x = 1 Next" need no colon; it is
  // left for the enclosing block.
  bool atEndOfStatement() const {
    if (is(Tk::Newline) || is(Tk::Colon) || is(Tk::End)) return true;
    if (!is(Tk::Ident)) return false;
    Kw k = cur().kw;
    return k == Kw::End || k == Kw::Loop || k == Kw::Next || k == Kw::Wend ||
           (singleLineIf_ > 0 && k == Kw::Else);
  }
  void endOfStatement() {
    if (is(Tk::Colon) || is(Tk::Newline)) {
      next();
      return;
    }
    if (atEndOfStatement()) return;
    fail(1025);
  }
  bool atEndIf() const { return isKw(Kw::End) && peekTok().kind == Tk::Ident && peekTok().kw == Kw::If; }
  void skipSeparators() {
    while (is(Tk::Newline) || is(Tk::Colon)) next();
  }
  void skipNewlines() {
    while (is(Tk::Newline)) next();
  }
  bool isNameToken() const {
    return is(Tk::Ident) && (cur().kw == Kw::None || isSoftKeyword(cur().kw));
  }
  u16 identifier() {
    if (!isNameToken()) fail(1010);
    u16 n = cur().text;
    next();
    return n;
  }
  // After '.', any word is a member name.
  u16 memberName() {
    if (!is(Tk::Ident)) fail(1010);
    u16 n = cur().text;
    next();
    return n;
  }
  struct DepthGuard {
    Parser& p;
    explicit DepthGuard(Parser& pp) : p(pp) {
      if (++p.depth_ > kMaxDepth || stackNearlyFull()) {
        --p.depth_;
        p.fail(1001);
      }
    }
    ~DepthGuard() { --p.depth_; }
  };

  ExprP node(EK k, const Token& at) {
    auto e = std::make_unique<Expr>();
    e->kind = k;
    e->line = at.line;
    e->col = at.col;
    return e;
  }

  // --- expressions, lowest precedence first ---
  ExprP expr() {
    DepthGuard g(*this);
    return impExpr();
  }
  ExprP binary(Op op, ExprP a, ExprP b, const Token& at) {
    ExprP e = node(EK::Binary, at);
    e->op = op;
    e->a = std::move(a);
    e->b = std::move(b);
    return e;
  }
  ExprP impExpr() {
    ExprP a = eqvExpr();
    while (isKw(Kw::Imp)) {
      Token at = cur();
      next();
      a = binary(Op::Imp, std::move(a), eqvExpr(), at);
    }
    return a;
  }
  ExprP eqvExpr() {
    ExprP a = xorExpr();
    while (isKw(Kw::Eqv)) {
      Token at = cur();
      next();
      a = binary(Op::Eqv, std::move(a), xorExpr(), at);
    }
    return a;
  }
  ExprP xorExpr() {
    ExprP a = orExpr();
    while (isKw(Kw::Xor)) {
      Token at = cur();
      next();
      a = binary(Op::Xor, std::move(a), orExpr(), at);
    }
    return a;
  }
  ExprP orExpr() {
    ExprP a = andExpr();
    while (isKw(Kw::Or)) {
      Token at = cur();
      next();
      a = binary(Op::Or, std::move(a), andExpr(), at);
    }
    return a;
  }
  ExprP andExpr() {
    ExprP a = notExpr();
    while (isKw(Kw::And)) {
      Token at = cur();
      next();
      a = binary(Op::And, std::move(a), notExpr(), at);
    }
    return a;
  }
  ExprP notExpr() {
    if (isKw(Kw::Not)) {
      DepthGuard g(*this);
      Token at = cur();
      next();
      ExprP e = node(EK::Unary, at);
      e->op = Op::Not;
      e->a = notExpr();
      return e;
    }
    return cmpExpr();
  }
  ExprP cmpExpr() {
    ExprP a = concatExpr();
    for (;;) {
      Op op;
      if (is(Tk::Eq)) op = Op::Eq;
      else if (is(Tk::Ne)) op = Op::Ne;
      else if (is(Tk::Lt)) op = Op::Lt;
      else if (is(Tk::Le)) op = Op::Le;
      else if (is(Tk::Gt)) op = Op::Gt;
      else if (is(Tk::Ge)) op = Op::Ge;
      else if (isKw(Kw::Is)) op = Op::Is;
      else break;
      Token at = cur();
      next();
      a = binary(op, std::move(a), concatExpr(), at);
    }
    return a;
  }
  ExprP concatExpr() {
    ExprP a = addExpr();
    while (is(Tk::Amp)) {
      Token at = cur();
      next();
      a = binary(Op::Concat, std::move(a), addExpr(), at);
    }
    return a;
  }
  ExprP addExpr() {
    ExprP a = modExpr();
    while (is(Tk::Plus) || is(Tk::Minus)) {
      Op op = is(Tk::Plus) ? Op::Add : Op::Sub;
      Token at = cur();
      next();
      a = binary(op, std::move(a), modExpr(), at);
    }
    return a;
  }
  ExprP modExpr() {
    ExprP a = intDivExpr();
    while (isKw(Kw::Mod)) {
      Token at = cur();
      next();
      a = binary(Op::Mod, std::move(a), intDivExpr(), at);
    }
    return a;
  }
  ExprP intDivExpr() {
    ExprP a = mulExpr();
    while (is(Tk::Backslash)) {
      Token at = cur();
      next();
      a = binary(Op::IntDiv, std::move(a), mulExpr(), at);
    }
    return a;
  }
  ExprP mulExpr() {
    ExprP a = powExpr();
    while (is(Tk::Star) || is(Tk::Slash)) {
      Op op = is(Tk::Star) ? Op::Mul : Op::Div;
      Token at = cur();
      next();
      a = binary(op, std::move(a), powExpr(), at);
    }
    return a;
  }
  // Negation binds tighter than "^": -3^2 is (-3)^2, 2^-1 is 2^(-1).
  ExprP powExpr() {
    ExprP a = unaryExpr();
    while (is(Tk::Caret)) {
      Token at = cur();
      next();
      a = binary(Op::Pow, std::move(a), unaryExpr(), at);
    }
    return a;
  }
  ExprP unaryExpr() {
    // "Not" right after an operator ("a = Not b", "a + Not b") negates what
    // follows up to the next And/Or/Xor/Eqv/Imp, as it would at the start.
    if (isKw(Kw::Not)) return notExpr();
    if (is(Tk::Minus) || is(Tk::Plus)) {
      DepthGuard g(*this);
      Token at = cur();
      bool neg = is(Tk::Minus);
      next();
      ExprP inner = unaryExpr();
      if (!neg) return inner;
      ExprP e = node(EK::Unary, at);
      e->op = Op::Neg;
      e->a = std::move(inner);
      return e;
    }
    return postfix(false);
  }

  ExprP primary() {
    const Token& t = cur();
    switch (t.kind) {
      case Tk::Number:
      case Tk::String:
      case Tk::Date: {
        ExprP e = node(EK::Literal, t);
        e->value = t.value;
        next();
        return e;
      }
      case Tk::LParen: {
        DepthGuard g(*this);
        ExprP e = node(EK::Paren, t);
        next();
        e->a = expr();
        expect(Tk::RParen, 1006);
        return e;
      }
      case Tk::Dot: {
        ExprP e = node(EK::Member, t);
        next();
        e->name = memberName();
        return e;
      }
      case Tk::Ident: {
        switch (t.kw) {
          case Kw::True:
          case Kw::False: {
            ExprP e = node(EK::Literal, t);
            e->value = Variant::boolean(t.kw == Kw::True);
            next();
            return e;
          }
          case Kw::Empty: {
            ExprP e = node(EK::Literal, t);
            next();
            return e;
          }
          case Kw::Null: {
            ExprP e = node(EK::Literal, t);
            e->value = Variant::null();
            next();
            return e;
          }
          case Kw::Nothing: {
            ExprP e = node(EK::Nothing, t);
            next();
            return e;
          }
          case Kw::Me: {
            ExprP e = node(EK::Me, t);
            next();
            return e;
          }
          case Kw::New: {
            ExprP e = node(EK::New, t);
            next();
            e->name = identifier();
            return e;
          }
          default:
            if (!isNameToken()) fail(1023);
            {
              ExprP e = node(EK::Name, t);
              e->name = t.text;
              next();
              return e;
            }
        }
      }
      default:
        fail(1023);
    }
  }

  // primary followed by .member and (args) parts. In statement-head mode the
  // position of the last "(" group is remembered so that "f (a), b" can be
  // re-read as a call with two arguments.
  ExprP postfix(bool head) {
    ExprP e = primary();
    lastParen_ = static_cast<size_t>(-1);
    headParen_ = static_cast<size_t>(-1);
    for (;;) {
      if (is(Tk::Dot) && !cur().space) {
        Token at = cur();
        next();
        ExprP m = node(EK::Member, at);
        m->name = memberName();
        m->a = std::move(e);
        e = std::move(m);
        lastParen_ = static_cast<size_t>(-1);
        headParen_ = static_cast<size_t>(-1);
        continue;
      }
      if (is(Tk::LParen) && e->kind != EK::Literal) {
        size_t at = p_;
        Token tk = cur();
        next();
        // "(f)(x)" calls f as "f(x)" would; "(New C)(x)" calls the new
        // object's default member.
        while (e->kind == EK::Paren && (e->a->kind == EK::Paren || e->a->kind == EK::Name ||
                                        e->a->kind == EK::Member))
          e = std::move(e->a);
        bool firstGroup = e->kind == EK::Name || e->kind == EK::Member;
        size_t head0 = headParen_;
        ExprP c = node(EK::Call, tk);
        c->a = std::move(e);
        c->args = argList(Tk::RParen);
        expect(Tk::RParen, 1006);
        e = std::move(c);
        if (head) {
          // (the arguments' own postfix parts reset both)
          headParen_ = firstGroup ? at : head0;
          lastParen_ = at;
        }
        continue;
      }
      break;
    }
    return e;
  }

  // Comma-separated arguments; empty positions become Missing.
  std::vector<ExprP> argList(Tk closer) {
    std::vector<ExprP> args;
    if (is(closer)) return args;
    for (;;) {
      if (is(Tk::Comma)) {
        args.push_back(node(EK::Missing, cur()));
      } else {
        args.push_back(expr());
      }
      if (!accept(Tk::Comma)) break;
      if (is(closer) || (closer == Tk::Newline && atEndOfStatement())) {
        args.push_back(node(EK::Missing, cur()));
        break;
      }
    }
    return args;
  }
  std::vector<ExprP> statementArgs() {
    std::vector<ExprP> args;
    if (atEndOfStatement()) return args;
    for (;;) {
      if (is(Tk::Comma)) args.push_back(node(EK::Missing, cur()));
      else args.push_back(expr());
      if (!accept(Tk::Comma)) break;
      if (atEndOfStatement()) {
        args.push_back(node(EK::Missing, cur()));
        break;
      }
    }
    return args;
  }

  // --- statements ---
  StmtP stmt(SK k, const Token& at) {
    auto s = std::make_unique<Stmt>();
    s->kind = k;
    s->line = at.line;
    s->col = at.col;
    return s;
  }

  void topLevelStatement(Program& prog) {
    if (!definition(prog)) {
      prog.body.push_back(statement());
      endOfStatement();
    }
  }

  // A Sub, Function or Class definition, if one starts here.
  bool definition(Program& prog) {
    const Token& t = cur();
    if (t.kind == Tk::Ident) {
      bool isPublic = true, hasScope = false;
      if (t.kw == Kw::Public || t.kw == Kw::Private) {
        const Token& n = peekTok();
        if (n.kind == Tk::Ident && (n.kw == Kw::Sub || n.kw == Kw::Function || n.kw == Kw::Default ||
                                    n.kw == Kw::Property || n.kw == Kw::Class)) {
          isPublic = t.kw == Kw::Public;
          hasScope = true;
          next();
        }
      }
      if (isKw(Kw::Default)) fail(1056 == 0 ? 1002 : 1048);
      if (isKw(Kw::Sub) || isKw(Kw::Function)) {
        prog.procs.push_back(procedure(isPublic, false, false));
        return true;
      }
      if (isKw(Kw::Property)) fail(1048);
      if (isKw(Kw::Class)) {
        prog.classes.push_back(classDecl());
        return true;
      }
      (void)hasScope;
      if (isKw(Kw::Option)) fail(1024);  // Option Explicit only before every other statement
    }
    return false;
  }

  ProcDecl procedure(bool isPublic, bool isDefault, bool inClass) {
    ProcDecl pd;
    pd.isPublic = isPublic;
    pd.isDefault = isDefault;
    pd.line = cur().line;
    pd.col = cur().col;
    Kw endKw;
    if (acceptKw(Kw::Sub)) {
      pd.kind = ProcKind::Sub;
      endKw = Kw::Sub;
    } else if (acceptKw(Kw::Function)) {
      pd.kind = ProcKind::Function;
      endKw = Kw::Function;
    } else {
      expectKw(Kw::Property, 1050);
      if (!inClass) fail(1048);
      if (acceptKw(Kw::Get)) pd.kind = ProcKind::PropGet;
      else if (acceptKw(Kw::Let)) pd.kind = ProcKind::PropLet;
      else if (acceptKw(Kw::Set)) pd.kind = ProcKind::PropSet;
      else fail(1049);
      endKw = Kw::Property;
    }
    if (isDefault && pd.kind != ProcKind::PropGet && pd.kind != ProcKind::Function && pd.kind != ProcKind::Sub)
      fail(1058);
    pd.name = identifier();
    bool paramList = false;
    if (accept(Tk::LParen)) {
      paramList = true;
      if (!is(Tk::RParen)) {
        for (;;) {
          ParamDecl prm;
          if (acceptKw(Kw::ByVal)) prm.byVal = true;
          else acceptKw(Kw::ByRef);
          prm.name = identifier();
          if (accept(Tk::LParen)) {
            expect(Tk::RParen, 1006);
            prm.isArray = true;
          }
          pd.params.push_back(std::move(prm));
          if (!accept(Tk::Comma)) break;
        }
      }
      expect(Tk::RParen, 1006);
    }
    if ((pd.kind == ProcKind::PropLet || pd.kind == ProcKind::PropSet) && pd.params.empty()) fail(1054);
    // After the parameter list the body may start on the same line: "Sub s() x = 1 End Sub".
    if (!paramList || atEndOfStatement()) endOfStatement();
    ProcKind saved = procKind_;
    bool savedIn = inProc_;
    // A procedure defined inside a global loop cannot leave that loop.
    int savedDo = std::exchange(loopDo_, 0), savedFor = std::exchange(loopFor_, 0);
    procKind_ = pd.kind;
    inProc_ = true;
    pd.body = block();
    procKind_ = saved;
    inProc_ = savedIn;
    loopDo_ = savedDo;
    loopFor_ = savedFor;
    expectKw(Kw::End, 1014);  // as for every block: "End" first, then its kind
    if (!acceptKw(endKw)) fail(endKw == Kw::Sub ? 1016 : endKw == Kw::Function ? 1015 : 1050);
    endOfStatement();
    return pd;
  }

  ClassDecl classDecl() {
    ClassDecl cd;
    cd.line = cur().line;
    cd.col = cur().col;
    expectKw(Kw::Class, 1047);
    cd.name = identifier();
    endOfStatement();
    bool haveDefault = false;
    for (;;) {
      skipSeparators();
      if (isKw(Kw::End)) {
        next();
        expectKw(Kw::Class, 1047);
        endOfStatement();
        break;
      }
      if (is(Tk::End)) fail(1014);
      bool isPublic = true, isDefault = false;
      bool scoped = false;
      if (isKw(Kw::Public) || isKw(Kw::Private)) {
        isPublic = isKw(Kw::Public);
        scoped = true;
        next();
      }
      if (isKw(Kw::Default)) {
        if (!isPublic) fail(1057);
        if (!scoped) fail(1057);
        next();
        isDefault = true;
        if (!(isKw(Kw::Function) || isKw(Kw::Sub) || isKw(Kw::Property))) fail(1056);
        if (haveDefault) fail(1052);
        haveDefault = true;
      }
      if (isKw(Kw::Sub) || isKw(Kw::Function) || isKw(Kw::Property)) {
        ProcDecl pd = procedure(isPublic, isDefault, true);
        if (isDefault && (pd.kind == ProcKind::PropLet || pd.kind == ProcKind::PropSet)) {
          throw SyntaxError{1058, pd.line, pd.col};
        }
        cd.procs.push_back(std::move(pd));
        continue;
      }
      if (isKw(Kw::Dim)) {
        if (scoped) fail(1002);
        next();
      } else if (!scoped) {
        fail(1002);
      }
      for (;;) {
        FieldDecl fd;
        fd.isPublic = isPublic;
        fd.decl = dimDecl(false);
        cd.fields.push_back(std::move(fd));
        if (!accept(Tk::Comma)) break;
      }
      endOfStatement();
    }
    return cd;
  }

  // Statements until a block terminator (End, Else, ElseIf, Case, Loop, Next, Wend).
  Block block() {
    DepthGuard g(*this);
    Block b;
    for (;;) {
      skipSeparators();
      if (is(Tk::End)) return b;
      if (is(Tk::Ident)) {
        Kw k = cur().kw;
        // A Loop or Next that no enclosing block can take is reported as such.
        if (k == Kw::Loop && loopDo_ == 0) fail(1038);
        if (k == Kw::Next && loopFor_ == 0) fail(1055);
        if (k == Kw::End || k == Kw::Else || k == Kw::ElseIf || k == Kw::Case || k == Kw::Loop ||
            k == Kw::Next || k == Kw::Wend)
          return b;
        if (k == Kw::Sub || k == Kw::Function || k == Kw::Class || k == Kw::Public || k == Kw::Private) {
          if (inProc_) fail(1002);
          // A definition inside a block of global code is a global
          // definition, made whatever the block's condition.
          if (k != Kw::Public && k != Kw::Private) {
            definition(*prog_);
            continue;
          }
          const Token& n = peekTok();
          if (n.kind == Tk::Ident && (n.kw == Kw::Sub || n.kw == Kw::Function || n.kw == Kw::Class ||
                                      n.kw == Kw::Default || n.kw == Kw::Property)) {
            definition(*prog_);
            continue;
          }
        }
      }
      b.push_back(statement());
      endOfStatement();
    }
  }

  DimDecl dimDecl(bool allowExprBounds) {
    DimDecl d;
    d.line = cur().line;
    d.col = cur().col;
    d.name = identifier();
    if (accept(Tk::LParen)) {
      d.isArray = true;
      if (!is(Tk::RParen)) {
        for (;;) {
          if (allowExprBounds) {
            d.bounds.push_back(expr());
          } else {
            if (!is(Tk::Number)) fail(1026);
            ExprP e = node(EK::Literal, cur());
            e->value = cur().value;
            if (e->value.vt != vtInteger && e->value.vt != vtLong) fail(1026);
            next();
            d.bounds.push_back(std::move(e));
          }
          if (!accept(Tk::Comma)) break;
        }
      }
      expect(Tk::RParen, 1006);
    }
    return d;
  }

  StmtP statement() {
    DepthGuard g(*this);
    const Token& t = cur();
    if (t.kind != Tk::Ident && t.kind != Tk::Dot) fail(1024);
    StmtP s;
    switch (t.kind == Tk::Dot ? Kw::None : t.kw) {
      case Kw::Dim: s = dimStatement(); break;
      case Kw::Public:
      case Kw::Private:
        if (inProc_) fail(1002);
        s = dimStatement();
        break;
      case Kw::ReDim: s = redimStatement(); break;
      case Kw::Erase: {
        s = stmt(SK::Erase, t);
        next();
        for (;;) {
          DimDecl d;
          d.line = cur().line;
          d.col = cur().col;
          d.name = identifier();
          s->decls.push_back(std::move(d));
          if (!accept(Tk::Comma)) break;
        }
        break;
      }
      case Kw::Const: s = constStatement(); break;
      case Kw::If: return ifStatement();
      case Kw::Select: s = selectStatement(); break;
      case Kw::For: s = forStatement(); break;
      case Kw::Do: s = doStatement(); break;
      case Kw::While: s = whileStatement(); break;
      case Kw::Exit: s = exitStatement(); break;
      case Kw::With: s = withStatement(); break;
      case Kw::On: s = onErrorStatement(); break;
      case Kw::Set: {
        Token st = t;
        next();
        s = assignOrCall(st, true);
        if (s->kind != SK::Assign) failAt(1011, cur());
        break;
      }
      case Kw::Let: {
        Token st = t;
        next();
        s = assignOrCall(st, false);
        if (s->kind != SK::Assign) fail(1011);
        break;
      }
      case Kw::Call: {
        s = stmt(SK::Call, t);
        next();
        // Reported where the name should be.
        if (!is(Tk::Ident) && !is(Tk::Dot) && !is(Tk::LParen)) fail(1010);
        Token what = cur();
        ExprP e = postfix(false);
        if (e->kind != EK::Name && e->kind != EK::Member && e->kind != EK::Call) failAt(1010, what);
        s->target = std::move(e);
        s->global = true;  // marks "Call": parentheses hold the argument list
        break;
      }
      case Kw::Stop:
        s = stmt(SK::Nop, t);
        next();
        break;
      case Kw::Option:
        fail(1024);
      case Kw::Else:
      case Kw::ElseIf:
      case Kw::Wend:
      case Kw::Loop:
      case Kw::Next:
      case Kw::Case:
      case Kw::End:
        if (t.kw == Kw::Loop) fail(1038);
        if (t.kw == Kw::Next) fail(1055);
        fail(1024);
      default:
        if (t.kind == Tk::Ident && t.kw != Kw::None && !isSoftKeyword(t.kw) && t.kw != Kw::Me) fail(1024);
        s = assignOrCall(t, false);
        break;
    }
    return s;
  }

  StmtP assignOrCall(const Token& at, bool isSet) {
    size_t start = p_;
    ExprP e = postfix(true);
    size_t paren = lastParen_;
    size_t headParen = headParen_;
    if (is(Tk::Eq)) {
      if (e->kind != EK::Name && e->kind != EK::Member && e->kind != EK::Call) fail(1002);
      if (e->kind == EK::Call && e->a->kind != EK::Name && e->a->kind != EK::Member && e->a->kind != EK::Call)
        fail(1002);
      next();
      StmtP s = stmt(SK::Assign, at);
      s->isSet = isSet;
      s->target = std::move(e);
      if (isSet && isKw(Kw::New)) {
        s->value = primary();
      } else {
        s->value = expr();
      }
      return s;
    }
    if (isSet) fail(1011);
    (void)start;
    StmtP s = stmt(SK::Call, at);
    if (atEndOfStatement() && e->kind == EK::Call && e->a->kind == EK::Call && headParen != static_cast<size_t>(-1) &&
        tok(headParen).space) {
      // "Echo (New C)(5)": a spaced "(" after the name opens the argument
      // list, even when more groups follow it.
      ExprP base = std::move(e);
      while (base->kind == EK::Call) base = std::move(base->a);
      p_ = headParen;
      ExprP call = node(EK::Call, at);
      call->line = base->line;
      call->col = base->col;
      call->a = std::move(base);
      call->args = statementArgs();
      s->target = std::move(call);
      return s;
    }
    if (atEndOfStatement()) {
      if (e->kind == EK::Call) {
        if (e->args.size() > 1) {
          // Reported where the argument list ends, just after its ")".
          const Token& close = tok(p_ - 1);
          throw SyntaxError{1044, close.line, close.col + 1};
        }
        if (e->args.size() == 1 && e->args[0]->kind != EK::Missing) {
          // name(x) as a statement passes x by value.
          ExprP inner = std::move(e->args[0]);
          ExprP par = std::make_unique<Expr>();
          par->kind = EK::Paren;
          par->line = inner->line;
          par->col = inner->col;
          par->a = std::move(inner);
          e->args[0] = std::move(par);
        }
      } else if (e->kind != EK::Name && e->kind != EK::Member) {
        fail(1024);
      }
      s->target = std::move(e);
      return s;
    }
    // Arguments without parentheses follow.
    if (e->kind == EK::Call && paren != static_cast<size_t>(-1)) {
      bool spaced = headParen != static_cast<size_t>(-1) && tok(headParen).space;
      ExprP base = std::move(e->a);
      while (spaced && base->kind == EK::Call) base = std::move(base->a);
      p_ = spaced ? headParen : paren;
      e = std::move(base);
    } else if (e->kind != EK::Name && e->kind != EK::Member) {
      fail(1025);
    }
    ExprP call = node(EK::Call, at);
    call->line = e->line;
    call->col = e->col;
    call->a = std::move(e);
    call->args = statementArgs();
    s->target = std::move(call);
    return s;
  }

  StmtP dimStatement() {
    if ((isKw(Kw::Public) || isKw(Kw::Private)) && peekTok().kind == Tk::Ident && peekTok().kw == Kw::Const) {
      next();
      return constStatement();
    }
    StmtP s = stmt(SK::Dim, cur());
    s->global = !isKw(Kw::Private);  // Public/Dim vs Private at script level
    next();
    for (;;) {
      s->decls.push_back(dimDecl(false));
      if (!accept(Tk::Comma)) break;
    }
    return s;
  }

  StmtP redimStatement() {
    StmtP s = stmt(SK::ReDim, cur());
    next();
    if (acceptKw(Kw::Preserve)) s->preserve = true;
    for (;;) {
      DimDecl d = dimDecl(true);
      if (!d.isArray) fail(1005);
      s->decls.push_back(std::move(d));
      if (!accept(Tk::Comma)) break;
    }
    return s;
  }

  StmtP constStatement() {
    StmtP s = stmt(SK::Const, cur());
    next();
    for (;;) {
      ConstDecl c;
      c.line = cur().line;
      c.col = cur().col;
      c.name = identifier();
      expect(Tk::Eq, 1011);
      c.value = constValue();
      s->consts.push_back(std::move(c));
      if (!accept(Tk::Comma)) break;
    }
    return s;
  }
  ExprP constValue() {
    if (accept(Tk::LParen)) {
      ExprP e = constValue();
      expect(Tk::RParen, 1006);
      return e;
    }
    if (is(Tk::Minus) || is(Tk::Plus)) {
      Token at = cur();
      bool neg = is(Tk::Minus);
      next();
      ExprP inner = constValue();
      if (!neg) return inner;
      ExprP e = node(EK::Unary, at);
      e->op = Op::Neg;
      e->a = std::move(inner);
      return e;
    }
    if (is(Tk::Number) || is(Tk::String) || is(Tk::Date) || isKw(Kw::True) || isKw(Kw::False) ||
        isKw(Kw::Null) || isKw(Kw::Empty) || isKw(Kw::Nothing))
      return primary();
    fail(1045);
  }

  StmtP ifStatement() {
    StmtP s = stmt(SK::If, cur());
    next();
    s->conds.push_back(expr());
    expectKw(Kw::Then, 1017);
    if (is(Tk::Newline)) {
      s->blocks.push_back(block());
      for (;;) {
        if (isKw(Kw::ElseIf)) {
          next();
          s->conds.push_back(expr());
          expectKw(Kw::Then, 1017);
          s->blocks.push_back(block());
          continue;
        }
        if (isKw(Kw::Else)) {
          next();
          s->hasElse = true;
          s->elseBlock = block();
        }
        break;
      }
      expectKw(Kw::End, 1014);
      expectKw(Kw::If, 1012);
      return s;
    }
    // Single-line form: everything up to the line end; it may close with
    // "End If" on the same line.
    ++singleLineIf_;
    s->blocks.push_back(inlineStatements());
    if (acceptKw(Kw::Else)) {
      s->hasElse = true;
      s->elseBlock = inlineStatements();
    }
    --singleLineIf_;
    if (atEndIf()) {
      next();
      next();
    }
    return s;
  }

  // The statements of a single-line If part: separated by colons, any of
  // them empty ("Then: a: Else: b", "Then :"), up to Else, End If or the
  // line end.
  Block inlineStatements() {
    Block b;
    for (;;) {
      while (accept(Tk::Colon)) {
      }
      if (is(Tk::Newline) || is(Tk::End) || isKw(Kw::Else) || atEndIf()) break;
      b.push_back(statement());
      if (is(Tk::Colon)) continue;
      if (atEndOfStatement()) break;
      fail(1025);
    }
    return b;
  }

  StmtP selectStatement() {
    StmtP s = stmt(SK::Select, cur());
    next();
    expectKw(Kw::Case, 1021);
    s->value = expr();
    endOfStatement();
    skipSeparators();
    while (isKw(Kw::Case)) {
      next();
      CaseClause cc;
      if (acceptKw(Kw::Else)) {
        // Case Else
      } else {
        for (;;) {
          cc.values.push_back(expr());
          if (!accept(Tk::Comma)) break;
        }
      }
      // A statement may follow the values on the same line without a colon.
      if (is(Tk::Colon) || is(Tk::Newline)) next();
      cc.body = block();
      s->cases.push_back(std::move(cc));
      skipSeparators();
    }
    expectKw(Kw::End, 1014);
    expectKw(Kw::Select, 1022);
    return s;
  }

  StmtP forStatement() {
    Token at = cur();
    next();
    if (acceptKw(Kw::Each)) {
      StmtP s = stmt(SK::ForEach, at);
      s->var = identifier();
      expectKw(Kw::In, 1046);
      s->value = expr();
      endOfStatement();
      ++loopFor_;
      s->body = block();
      --loopFor_;
      nextClause();
      return s;
    }
    StmtP s = stmt(SK::For, at);
    if (!isNameToken()) fail(1010);
    s->var = identifier();
    expect(Tk::Eq, 1011);
    s->from = expr();
    expectKw(Kw::To, 1013);
    s->to = expr();
    if (acceptKw(Kw::Step)) s->step = expr();
    endOfStatement();
    ++loopFor_;
    s->body = block();
    --loopFor_;
    nextClause();
    return s;
  }
  void nextClause() {
    expectKw(Kw::Next, 1020);  // VBScript's Next takes no counter name
  }

  StmtP doStatement() {
    StmtP s = stmt(SK::Do, cur());
    next();
    if (isKw(Kw::While) || isKw(Kw::Until)) {
      s->preTest = true;
      s->isUntil = isKw(Kw::Until);
      next();
      s->value = expr();
    }
    if (!(is(Tk::Newline) || is(Tk::Colon))) fail(s->preTest ? 1025 : 1028);
    next();
    ++loopDo_;
    s->body = block();
    --loopDo_;
    expectKw(Kw::Loop, 1019);
    if (isKw(Kw::While) || isKw(Kw::Until)) {
      if (s->preTest) fail(1025);
      s->isUntil = isKw(Kw::Until);
      next();
      s->value = expr();
    }
    return s;
  }

  StmtP whileStatement() {
    StmtP s = stmt(SK::While, cur());
    next();
    s->value = expr();
    endOfStatement();
    s->body = block();
    expectKw(Kw::Wend, 1018);
    return s;
  }

  StmtP exitStatement() {
    StmtP s = stmt(SK::Exit, cur());
    next();
    // Reported at the word after Exit, whichever kind it names.
    if (isKw(Kw::Do)) {
      if (loopDo_ == 0) fail(1039);
      next();
      s->exitKind = ExitKind::Do;
    } else if (isKw(Kw::For)) {
      if (loopFor_ == 0) fail(1039);
      next();
      s->exitKind = ExitKind::For;
    } else if (isKw(Kw::Sub) || isKw(Kw::Function) || isKw(Kw::Property)) {
      Kw k = cur().kw;
      if (!inProc_) fail(1039);
      bool ok = (k == Kw::Sub && procKind_ == ProcKind::Sub) ||
                (k == Kw::Function && procKind_ == ProcKind::Function) ||
                (k == Kw::Property && (procKind_ == ProcKind::PropGet || procKind_ == ProcKind::PropLet ||
                                       procKind_ == ProcKind::PropSet));
      if (!ok) fail(1039);
      next();
      s->exitKind = k == Kw::Sub ? ExitKind::Sub : k == Kw::Function ? ExitKind::Function : ExitKind::Property;
    } else {
      fail(1039 == 0 ? 1002 : 1039);
    }
    return s;
  }

  StmtP withStatement() {
    StmtP s = stmt(SK::With, cur());
    next();
    s->value = expr();
    endOfStatement();
    ++withDepth_;
    s->body = block();
    --withDepth_;
    expectKw(Kw::End, 1014);
    expectKw(Kw::With, 1029);
    return s;
  }

  StmtP onErrorStatement() {
    StmtP s = stmt(SK::OnError, cur());
    next();
    expectKw(Kw::Error, 1002);
    if (acceptKw(Kw::Resume)) {
      expectKw(Kw::Next, 1002);
      s->resumeNext = true;
    } else if (acceptKw(Kw::GoTo)) {
      if (!is(Tk::Number) || !(cur().value.vt == vtInteger && cur().value.i == 0)) fail(1002);
      next();
    } else {
      fail(1002);
    }
    return s;
  }

  mutable TokenStream in_;
  mutable std::deque<Token> t_;  // tokens base_ onwards (deque: references stay valid as it grows)
  size_t base_ = 0;
  size_t p_ = 0;
  size_t lastParen_ = static_cast<size_t>(-1);
  size_t headParen_ = static_cast<size_t>(-1);  // the first "(" group right after a name
  int depth_ = 0;
  size_t singleLineIf_ = 0;
  int withDepth_ = 0;
  int loopDo_ = 0, loopFor_ = 0;
  bool inProc_ = false;
  Program* prog_ = nullptr;  // where definitions inside blocks go
  ProcKind procKind_ = ProcKind::Sub;
};

}  // namespace

Expr::~Expr() {
  // A chain such as a & b & c & ... nests as deep as it is long: take it
  // apart in a loop rather than by recursive destructors.
  if (!a && !b && args.empty()) return;
  std::vector<ExprP> pending;
  auto detach = [&](Expr& x) {
    if (x.a) pending.push_back(std::move(x.a));
    if (x.b) pending.push_back(std::move(x.b));
    for (ExprP& c : x.args)
      if (c) pending.push_back(std::move(c));
    x.args.clear();
  };
  detach(*this);
  while (!pending.empty()) {
    ExprP x = std::move(pending.back());
    pending.pop_back();
    detach(*x);
  }
}

Program parseProgram(u16v src) { return Parser(src).program(); }

ExprP parseExpression(u16v src) { return Parser(src).expressionOnly(); }

}  // namespace pw
