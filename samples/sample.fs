// sample.fs: parsing and evaluating arithmetic, an example of F#.
module Demo.Calc

open System

(* Block comments nest in F#:
   (* an inner comment *) and this line is still a comment. *)

/// An expression tree.
type Expr =
    | Num of float
    | Var of string
    | Add of Expr * Expr
    | Mul of Expr * Expr
    | Neg of Expr

let rec eval (env: Map<string, float>) expr =
    match expr with
    | Num n -> n
    | Var name ->
        match Map.tryFind name env with
        | Some v -> v
        | None -> failwithf "unbound variable \"%s\"" name
    | Add (a, b) -> eval env a + eval env b
    | Mul (a, b) -> eval env a * eval env b
    | Neg e -> -(eval env e)

let rec show expr =
    match expr with
    | Num n -> string n
    | Var v -> v
    | Add (a, b) -> sprintf "(%s + %s)" (show a) (show b)
    | Mul (a, b) -> sprintf "%s * %s" (show a) (show b)
    | Neg e -> "-" + show e

let help = """Usage: calc NAME=VALUE ...
  "quotes" and \backslashes stay as written here"""

let path = @"C:\calc\vars.txt"

let parseBinding (s: string) : Result<string * float, string> =
    match s.Split('=') with
    | [| name; value |] ->
        match Double.TryParse value with
        | true, v -> Ok (name, v)
        | _ -> Error $"not a number: {value}"
    | _ -> Error "expected NAME=VALUE"

[<EntryPoint>]
let main argv =
    let bindings = argv |> Array.map parseBinding
    let env = bindings |> Array.choose (function Ok b -> Some b | Error _ -> None) |> Map.ofArray
    let expr = Add (Mul (Var "x", Num 2.0), Neg (Var "y"))
    if env.IsEmpty then
        printfn "%s" help
        1
    else
        printfn "%s = %g" (show expr) (eval env expr)
        0
