(* sample.ml: a bank account ledger, an example of OCaml.
   Comments nest: (* this inner comment *) keeps the outer one open. *)

type transaction =
  | Deposit of int
  | Withdraw of int
  | Transfer of { amount : int; to_account : string }

type account = {
  owner : string;
  mutable balance : int;
  mutable history : transaction list;
}

(* Raised when a withdrawal would overdraw the account. *)
exception Insufficient_funds of string

let create owner = { owner; balance = 0; history = [] }

let apply account t =
  let amount = match t with
    | Deposit n -> n
    | Withdraw n | Transfer { amount = n; _ } -> -n
  in
  if account.balance + amount < 0 then
    raise (Insufficient_funds account.owner)
  else begin
    account.balance <- account.balance + amount;
    account.history <- t :: account.history
  end

let describe = function
  | Deposit n -> Printf.sprintf "deposit %d" n
  | Withdraw n -> Printf.sprintf "withdraw %d" n
  | Transfer { amount; to_account } ->
    Printf.sprintf "transfer %d to \"%s\"" amount to_account

let banner = {|Ledger report
  backslashes \n and "quotes" are plain in a quoted string|}

let () =
  let acc = create "mei" in
  List.iter
    (fun t ->
       try apply acc t
       with Insufficient_funds who -> prerr_endline ("refused for " ^ who))
    [ Deposit 100; Withdraw 30; Transfer { amount = 200; to_account = "bo" } ];
  print_endline banner;
  List.iter (fun t -> print_endline (describe t)) (List.rev acc.history);
  Printf.printf "balance: %d\n" acc.balance
