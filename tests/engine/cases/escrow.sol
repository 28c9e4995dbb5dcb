// SPDX-License-Identifier: MIT
pragma solidity ^0.8.20;

        require(msg.value > 0, 'nothing sent');
        deposits[msg.sender] += msg.value;
        amount = msg.value;
        state = State.AwaitingDelivery;
        emit Deposited(msg.sender, msg.value);
    }

    /* Pays the seller; the transfer comes last (checks-effects-interactions). */
        buyer.transfer(amount);
        emit Settled(buyer, amount, "refunded: \"not as described\"");
    }
