// SPDX-License-Identifier: MIT
pragma solidity ^0.8.20;

/// @title An escrow, an example of Solidity: the buyer pays, the arbiter settles.
contract Escrow {
    enum State { AwaitingPayment, AwaitingDelivery, Complete, Refunded }

    address payable public immutable buyer;
    address payable public immutable seller;
    address public arbiter;
    uint256 public amount;
    State public state;

    mapping(address => uint256) private deposits;

    event Deposited(address indexed from, uint256 value);
    event Settled(address indexed to, uint256 value, string reason);

    error WrongState(State expected, State actual);
    error NotAllowed(address caller);

    modifier inState(State expected) {
        if (state != expected) revert WrongState(expected, state);
        _;
    }

    modifier onlyArbiter() {
        if (msg.sender != arbiter) revert NotAllowed(msg.sender);
        _;
    }

    constructor(address payable _seller, address _arbiter) {
        buyer = payable(msg.sender);
        seller = _seller;
        arbiter = _arbiter;
    }

    function deposit() external payable inState(State.AwaitingPayment) {
        require(msg.sender == buyer, "only the buyer can pay");
        require(msg.value > 0, 'nothing sent');
        deposits[msg.sender] += msg.value;
        amount = msg.value;
        state = State.AwaitingDelivery;
        emit Deposited(msg.sender, msg.value);
    }

    /* Pays the seller; the transfer comes last (checks-effects-interactions). */
    function release() external onlyArbiter inState(State.AwaitingDelivery) {
        state = State.Complete;
        (bool ok, ) = seller.call{value: amount}("");
        require(ok, "transfer failed");
        emit Settled(seller, amount, "delivered");
    }

    function refund() external onlyArbiter inState(State.AwaitingDelivery) {
        state = State.Refunded;
        buyer.transfer(amount);
        emit Settled(buyer, amount, "refunded: \"not as described\"");
    }
}
